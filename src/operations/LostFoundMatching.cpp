// Finding the other side of an item (match search), the search window's
// queries, and closing a record against its match or on its own.

#include "operations/LostFound.h"
#include "operations/LostFoundRows.h"

#include "bookings/BookingTimes.h"
#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Settings.h"
#include "security/CardData.h"
#include "security/CardStore.h"

#include <algorithm>
#include <iterator>

namespace vm {

namespace {

// The list rows of `status` that meet `where` (whose first value is the status).
// A long list is read in blocks and moved once into a list of the right size:
// one list grown row by row would move every row it holds at each of its
// thirteen doublings up to 5,000 rows.  The first block grows as a list does,
// so a short list is no bigger than it needs.
std::vector<LfListRow> select(AppContext& ctx, const QString& status, lf::ListUse use,
                              const QString& where, const QVariantList& params) {
    constexpr size_t BlockRows = 512;
    std::vector<std::vector<LfListRow>> blocks;
    size_t count = 0;
    lf::ListReader reader(status, use);
    ctx.db().forEach("SELECT " + lf::ListColumns(status, use) + " FROM [LostAndFound] WHERE " +
                         where + " ORDER BY [ItemText], [ItemID]",
                     params, [&](const Row& r) {
                         if (blocks.empty())
                             blocks.emplace_back();
                         else if (blocks.back().size() == BlockRows)
                             blocks.emplace_back().reserve(BlockRows);
                         reader.read(r, blocks.back().emplace_back());
                         ++count;
                         return true;
                     });
    if (blocks.size() == 1) return std::move(blocks.front());
    std::vector<LfListRow> out;
    out.reserve(count);
    for (std::vector<LfListRow>& block : blocks)
        std::move(block.begin(), block.end(), std::back_inserter(out));
    return out;
}

// The other side's records: `status` with the criteria chosen on `item`.
std::vector<LfListRow> matches(AppContext& ctx, const QString& status,
                               const LfMatchCriteria& c, const QString& category,
                               const QString& locationColumn, const QString& location,
                               const QString& dateColumn, const QString& date) {
    QString where = "[ItemStatus] = ?";
    QVariantList params{status};
    if (c.sameCategory) {
        where += " AND [Category] = ?";
        params << lf::stored(category);
    }
    if (c.sameLocation) {
        where += " AND [" + locationColumn + "] = ?";
        params << lf::stored(location);
    }
    const QDate day = Formats::ParseStoredDate(date);
    if (c.dateWindow && day.isValid()) {
        where += " AND [" + dateColumn + "] >= ? AND [" + dateColumn + "] <= ?";
        params << Formats::StoredDate(day.addDays(-2)) << Formats::StoredDate(day.addDays(2));
    }
    const QString word = c.word.trimmed();
    if (c.byWord && !word.isEmpty())
        where += " AND " +
                 lf::containsCondition(ctx.db().engine(), "ItemText", CleanSqlText(word), params);
    return select(ctx, status, lf::ListUse::Match, where, params);
}

} // namespace

std::vector<LfListRow> LFGetTheLostMatches(AppContext& ctx, const LfItem& lost,
                                           const LfMatchCriteria& c) {
    return matches(ctx, kLfFound, c, lost.category, "FoundLocation", lost.lostLocation, "FoundDate",
                   lost.lostDate);
}

std::vector<LfListRow> LFGetTheFoundMatches(AppContext& ctx, const LfItem& found,
                                            const LfMatchCriteria& c) {
    return matches(ctx, kLfLost, c, found.category, "LostLocation", found.foundLocation, "LostDate",
                   found.foundDate);
}

LfSearchResult LFSearchItems(AppContext& ctx, const LfSearch& s) {
    LfSearchResult result;
    QString where = "[ItemStatus] = ?";
    QVariantList params{s.status};
    const QString value = s.value.trimmed();
    const Engine engine = ctx.db().engine();
    auto typed = [&](const QString& column) {
        if (value.isEmpty()) {
            result.refusal = kLfMsgEnterCriteria;
            return;
        }
        where += " AND " + lf::containsCondition(engine, column, CleanSqlText(value), params);
    };
    auto chosen = [&](const QStringList& columns) {
        if (value.isEmpty()) {
            result.refusal = kLfMsgSelectCriteria;
            return;
        }
        QStringList either;
        for (const QString& column : columns) {
            either << "[" + column + "] = ?";
            params << CleanSqlTextKeepAmp(value);
        }
        where += " AND (" + either.join(" OR ") + ")";
    };
    switch (s.kind) {
    case LfSearchKind::All:
        break;
    case LfSearchKind::Word:
        typed("ItemText");
        break;
    case LfSearchKind::DateRange: {
        if (!s.from.isValid() || !s.through.isValid()) {
            result.refusal = kLfMsgValidDate;
            break;
        }
        const QString column = s.status == kLfLost    ? "LostDate"
                               : s.status == kLfFound ? "FoundDate"
                                                      : "DisposedDate";
        where += " AND [" + column + "] >= ? AND [" + column + "] <= ?";
        params << Formats::StoredDate(s.from) << Formats::StoredDate(s.through);
        break;
    }
    case LfSearchKind::Disposition:
        chosen({"Disposition"});
        break;
    case LfSearchKind::Location:
        chosen(s.status == kLfLost    ? QStringList{"LostLocation"}
               : s.status == kLfFound ? QStringList{"FoundLocation"}
                                      : QStringList{"LostLocation", "FoundLocation"});
        break;
    case LfSearchKind::RoomNumber:
        typed("RoomNumber");
        break;
    case LfSearchKind::Storage:
        chosen({"StoredLocation"});
        break;
    case LfSearchKind::TagOrId: {
        if (value.isEmpty()) {
            result.refusal = kLfMsgEnterCriteria;
            break;
        }
        if (LfUseItemIdAsTag(ctx)) {
            bool ok = false;
            const qint64 id = value.toLongLong(&ok);
            if (!ok || id <= 0) {
                result.refusal = kLfMsgItemIdNumber;
                break;
            }
            where += " AND [ItemID] = ?";
            params << id;
        } else {
            where += " AND [TagNumber] = ?";
            params << CleanSqlText(value);
        }
        break;
    }
    case LfSearchKind::LastName:
        typed("LastName");
        break;
    case LfSearchKind::FinderName:
        typed("FinderName");
        break;
    }
    if (!result.refusal.isEmpty()) return result;
    if (!s.category.trimmed().isEmpty()) {
        where += " AND [Category] = ?";
        params << CleanSqlTextKeepAmp(s.category);
    }
    result.rows = select(ctx, s.status, lf::ListUse::Search, where, params);
    return result;
}

QString LFCheckClosing(AppContext& ctx, const LfClosing& c) {
    if (!Formats::ParseStoredDate(c.disposedDate.trimmed()).isValid()) return kLfMsgDispositionDate;
    if (!Formats::ParseStoredDate(c.returnDate.trimmed()).isValid()) return kLfMsgReturnDate;
    if (c.returnMethod.trimmed().isEmpty()) return kLfMsgReturnMethod;
    if (c.typedCard.trimmed().isEmpty() || GetBooleanSetting(ctx.db(), "NoCreditCards")) return {};
    const QString digits = StripNonDigits(c.typedCard);
    // Anything but digits and the usual separators is not a card number.
    for (const QChar ch : c.typedCard)
        if (!ch.isDigit() && ch != '-' && ch != ' ') return kMsgInvalidCardNumber;
    if (!LuhnCheck(digits)) return kMsgInvalidCardNumber;
    if (CardNumbersState(ctx) != CardKeyState::Ready) return kLfMsgCardsOff;
    return {};
}

int LFScreenClosingTexts(AppContext& ctx, LfClosing& c, const LfRemoveNumber& removeNumber) {
    // The card field is not screened: it is meant to hold a number.
    LfItem texts;
    texts.id = c.lostId > 0 ? c.lostId : c.foundId;
    texts.owner = c.owner;
    texts.paymentMethod = c.paymentMethod;
    const int found = LFScreenItemTexts(ctx, texts, kLfFormMatched, removeNumber);
    c.owner = texts.owner;
    return found;
}

LfMatchResult LFMatchItem(AppContext& ctx, const LfClosing& typed) {
    LfMatchResult result;
    if (typed.foundId <= 0) {
        result.message = kLfMsgNoItemSelected;
        return result;
    }
    if (const QString refusal = LFCheckClosing(ctx, typed); !refusal.isEmpty()) {
        result.message = refusal;
        return result;
    }
    // The closing as stored: texts in their stored forms.
    LfItem closing;
    closing.owner = typed.owner;
    closing.disposition = typed.disposition;
    closing.disposedDate = typed.disposedDate;
    closing.returnDate = typed.returnDate;
    closing.returnMethod = typed.returnMethod;
    closing.paymentMethod = typed.paymentMethod;
    closing.matchDisposition = typed.matchDisposition;
    lf::normalize(closing);
    lf::stamp(ctx, closing);
    const qint64 target = typed.lostId > 0 ? typed.lostId : typed.foundId;

    QString enc;
    if (!typed.typedCard.trimmed().isEmpty() && !GetBooleanSetting(ctx.db(), "NoCreditCards")) {
        enc = EncryptCC(ctx, StripNonDigits(typed.typedCard), QString::number(target));
        // No closing "succeeds" without the card the desk typed.
        if (enc.isEmpty()) {
            result.message = kLfMsgCardsOff;
            return result;
        }
    }

    Database& db = ctx.db();
    using lf::stored;
    QVariantList closingParams{kLfClosed,
                               stored(closing.returnDate),
                               stored(closing.disposedDate),
                               stored(closing.disposition),
                               stored(closing.returnMethod),
                               stored(closing.paymentMethod),
                               qRound64(typed.returnCharge * 100) / 100.0,
                               enc.isEmpty() ? QVariant(QStringLiteral(" ")) : QVariant(enc),
                               stored(closing.matchDisposition),
                               stored(closing.owner.firstName),
                               stored(closing.owner.lastName),
                               stored(closing.owner.address),
                               stored(closing.owner.city),
                               stored(closing.owner.state),
                               stored(closing.owner.postalCode),
                               stored(closing.owner.homePhone),
                               stored(closing.owner.workPhone),
                               stored(closing.owner.otherPhone),
                               stored(closing.owner.emailAddress),
                               closing.lastStatusBy,
                               closing.lastStatusDateTime};
    const QString closingSet =
        "[ItemStatus] = ?, [ReturnDate] = ?, [DisposedDate] = ?, [Disposition] = ?, "
        "[ReturnMethod] = ?, [PaymentMethod] = ?, [ReturnCharge] = ?, [EncCC] = ?, "
        "[MatchDisposition] = ?, [FirstName] = ?, [LastName] = ?, [Address] = ?, [City] = ?, "
        "[State] = ?, [PostalCode] = ?, [HomePhone] = ?, [WorkPhone] = ?, [OtherPhone] = ?, "
        "[EmailAddress] = ?, [LastStatusBy] = ?, [LastStatusDateTime] = ?";

    struct Gone {
        QString message;
    };
    try {
        db.transaction([&] {
            LockRowForBooking(db, "LostAndFound", "ItemID", typed.foundId);
            const auto found = db.queryOne(
                "SELECT * FROM [LostAndFound] WHERE [ItemID] = ? AND [ItemStatus] = 'F'",
                {typed.foundId});
            if (!found) throw Gone{kLfMsgFoundGone};
            if (typed.lostId <= 0) {
                QVariantList p = closingParams;
                p << typed.foundId;
                if (db.exec("UPDATE [LostAndFound] SET " + closingSet +
                                " WHERE [ItemID] = ? AND [ItemStatus] = 'F'",
                            p) != 1)
                    throw Gone{kLfMsgFoundGone};
                return;
            }
            LockRowForBooking(db, "LostAndFound", "ItemID", typed.lostId);
            // The found item's side, its description, category and lists
            // included, goes to the lost report that becomes the closed record.
            const Row& f = *found;
            QVariantList p{
                f.value("ItemText"),  f.value("Category"),      f.value("EstValueFound"),
                f.value("FoundDate"), f.value("FoundLocation"), f.value("StoredLocation"),
                f.value("TagNumber"), f.value("FinderName"),    f.value("PhotographName")};
            for (int n = 1; n <= 5; ++n)
                p << f.value("UdCategory" + QString::number(n));
            p << closingParams << typed.lostId;
            if (db.exec("UPDATE [LostAndFound] SET [ItemText] = ?, [Category] = ?, "
                        "[EstValueFound] = ?, [FoundDate] = ?, [FoundLocation] = ?, "
                        "[StoredLocation] = ?, [TagNumber] = ?, [FinderName] = ?, "
                        "[PhotographName] = ?, [UdCategory1] = ?, [UdCategory2] = ?, "
                        "[UdCategory3] = ?, [UdCategory4] = ?, [UdCategory5] = ?, " +
                            closingSet + " WHERE [ItemID] = ? AND [ItemStatus] = 'L'",
                        p) != 1)
                throw Gone{kLfMsgLostGone};
            if (db.exec("DELETE FROM [LostAndFound] WHERE [ItemID] = ? AND [ItemStatus] = 'F'",
                        {typed.foundId}) != 1)
                throw Gone{kLfMsgFoundGone};
            db.exec("UPDATE [LostAndFoundHistory] SET [lfID] = ? WHERE [lfID] = ?",
                    {typed.lostId, typed.foundId});
        });
    } catch (const Gone& g) {
        result.message = g.message;
        return result;
    }
    result.ok = true;
    result.closedId = target;
    return result;
}

} // namespace vm
