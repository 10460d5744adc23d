// The change history of found items: one row per field changed by a save.

#include "operations/LostFound.h"

#include "core/DataAccess.h"
#include "core/Formats.h"

namespace vm {

namespace {

QString money(double v) {
    return QString::number(v, 'f', 2);
}

// The caption of a list item, or its number when it is gone.
QString listItemText(AppContext& ctx, qint64 enumId) {
    if (enumId <= 0) return {};
    const QVariant caption = ctx.db().scalar(
        "SELECT [caption] FROM [UserDefinedEnumItems] WHERE [enumID] = ?", {enumId});
    return caption.isValid() ? StoredText(caption.toString()) : QString::number(enumId);
}

} // namespace

std::vector<LfFieldChange> LfChangedFields(AppContext& ctx, const LfItem& was, const LfItem& now) {
    std::vector<LfFieldChange> out;
    auto compare = [&](const QString& field, const QString& a, const QString& b) {
        if (a != b) out.push_back({field, a, b});
    };
    compare("Description", was.itemText, now.itemText);
    compare("Category", was.category, now.category);
    compare("Room Number", was.roomNumber, now.roomNumber);
    compare("Date Found", Formats::ShortDateOfStored(was.foundDate),
            Formats::ShortDateOfStored(now.foundDate));
    compare("Where Found", was.foundLocation, now.foundLocation);
    compare("Where Stored", was.storedLocation, now.storedLocation);
    compare("Tag Number", was.tagNumber, now.tagNumber);
    compare("Finder Name", was.finderName, now.finderName);
    compare("Est. Found Value", money(was.estValueFound), money(now.estValueFound));
    compare("Disposition", was.disposition, now.disposition);
    compare("Photograph", was.photographName, now.photographName);
    std::vector<LfUdList> lists;
    for (int n = 0; n < 5; ++n) {
        if (was.udCategory[n] == now.udCategory[n]) continue;
        if (lists.empty()) lists = GetLostAndFoundUserDefinedCats(ctx);
        QString field = "UdCategory" + QString::number(n + 1);
        for (const LfUdList& l : lists)
            if (l.slot == n + 1) field = l.name;
        out.push_back(
            {field, listItemText(ctx, was.udCategory[n]), listItemText(ctx, now.udCategory[n])});
    }
    return out;
}

void CreateChangeInLFHistory(AppContext& ctx, qint64 lfId, const QString& field,
                             const QString& origVal, const QString& newVal) {
    // Sized as the columns are: a longer value keeps its beginning.
    ctx.db().exec("INSERT INTO [LostAndFoundHistory] ([lfID], [userID], [logDate], [field], "
                  "[origVal], [newVal]) VALUES (?, ?, ?, ?, ?, ?)",
                  {lfId, ctx.session.conciergeId, ctx.clock().now(), field.left(100),
                   origVal.left(250), newVal.left(250)});
}

QString GetLfHistry(AppContext& ctx, qint64 lfId) {
    QString text;
    for (const Row& r : ctx.db().query(
             "SELECT H.[logDate], H.[field], H.[origVal], H.[newVal], C.[Concierge] FROM "
             "[LostAndFoundHistory] H LEFT JOIN [Concierge] C ON C.[ConciergeID] = H.[userID] "
             "WHERE H.[lfID] = ? ORDER BY H.[logDate] DESC, H.[id] DESC",
             {lfId})) {
        const QDateTime when = r.dateTime("logDate");
        text += Formats::ShortDate(when.date()) + " " + Formats::Time12(when.time()) + CRLF +
                StoredText(r.text("Concierge")) + " modified '" + r.text("field") + "'" + CRLF +
                "Old Value: " + r.text("origVal") + CRLF + "New: " + r.text("newVal") + CRLF;
    }
    return text;
}

} // namespace vm
