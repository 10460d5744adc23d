#include "security/CardData.h"

#include "core/CardKey.h"
#include "platform/Cipher.h"

namespace vm {

namespace {
bool isDigit(QChar c) {
    return c >= '0' && c <= '9';
}

bool isSeparator(QChar c) {
    return !c.isDigit() && !c.isLetter();
}

// A card number inside a run of digits: the run itself, or a window of 14 to
// 16 digits of a longer run.
std::optional<QString> cardInRun(const QString& run, bool strict) {
    auto accept = [strict](const QString& digits) {
        return !CardType(digits).isEmpty() && (!strict || LuhnCheck(digits));
    };
    if (run.size() < 14) return std::nullopt;
    if (run.size() <= 16) return accept(run) ? std::optional<QString>(run) : std::nullopt;
    for (int start = 0; start + 14 <= run.size(); ++start)
        for (int len = 16; len >= 14; --len)
            if (start + len <= run.size() && accept(run.mid(start, len)))
                return run.mid(start, len);
    return std::nullopt;
}

// Where `digits` stand in `text`, allowing separators between them; the
// answer is [begin, end) in the text.
std::optional<std::pair<int, int>> locate(const QString& text, const QString& digits) {
    for (int begin = 0; begin < text.size(); ++begin) {
        if (text.at(begin) != digits.at(0)) continue;
        int i = begin, k = 0;
        while (i < text.size() && k < digits.size()) {
            const QChar c = text.at(i);
            if (c == digits.at(k)) {
                ++k;
                ++i;
            } else if (isSeparator(c) && k > 0) {
                ++i;
            } else {
                break;
            }
        }
        if (k == digits.size()) return std::make_pair(begin, i);
    }
    return std::nullopt;
}
} // namespace

CardKeyState CardNumbersState(AppContext& ctx) {
    // The setting is read again: a switch turned off (or unreadable) since the
    // start refuses at once.
    const std::optional<bool> on = ReadEnhancedEncryption(ctx.db());
    if (!on) return CardKeyState::SettingUnreadable;
    if (!*on) return CardKeyState::EncryptionOff;
    if (ctx.start.keyTemplate.trimmed().isEmpty())
        return ctx.start.cardKey == CardKeyState::Ready ? CardKeyState::TemplateMissing
                                                        : ctx.start.cardKey;
    return CardKeyState::Ready;
}

bool RefuseCardsUnlessReady(AppContext& ctx) {
    const CardKeyState state = CardNumbersState(ctx);
    if (state == CardKeyState::Ready) return false;
    ctx.prompt().message(CardsRefusedText(state), {}, Icon::Exclamation);
    return true;
}

QString EncryptCC(AppContext& ctx, const QString& clear, const QString& recordValue) {
    if (RefuseCardsUnlessReady(ctx)) return {};
    const CipherResult r = TryEncryptWithTemplate(clear, ctx.start.keyTemplate, recordValue);
    if (!r.ok()) {
        ctx.prompt().message(kMsgEncryptionFailed, {}, Icon::Critical);
        return {};
    }
    return r.text;
}

QString DecryptCC(AppContext& ctx, const QString& stored, const QString& recordValue) {
    if (RefuseCardsUnlessReady(ctx)) return {};
    const CipherResult r = TryDecryptWithTemplate(stored, ctx.start.keyTemplate, recordValue);
    if (!r.ok()) {
        ctx.prompt().message(kMsgDecryptionFailed, {}, Icon::Critical);
        return {};
    }
    return r.text;
}

QString StripNonDigits(const QString& text) {
    QString out;
    for (QChar c : text)
        if (c >= '0' && c <= '9') out += c;
    return out;
}

QString CardType(const QString& number) {
    const QString d = StripNonDigits(number);
    const int len = int(d.size());
    const int two = len >= 2 ? d.left(2).toInt() : -1;
    const int three = len >= 3 ? d.left(3).toInt() : -1;
    QString type;
    // Tested in this order; a later match overrides an earlier one.
    if (len == 16 && two >= 51 && two <= 55) type = "MasterCard";
    if (len >= 13 && len <= 16 && d.startsWith('4')) type = "Visa";
    if (len == 15 && (two == 34 || two == 37)) type = "American Express";
    if (len == 14 && (two == 36 || two == 38 || (three >= 300 && three <= 305)))
        type = "Diners Club";
    if (len == 16 && d.startsWith("6011")) type = "Discover";
    return type;
}

bool LuhnCheck(const QString& number) {
    if (number.size() < 13 || number.size() > 16) return false;
    for (QChar c : number)
        if (c < '0' || c > '9') return false;
    const QString d = number.rightJustified(16, '0');
    int total = 0;
    for (int i = 0; i < 16; ++i) {
        int v = d.at(i).digitValue();
        if (i % 2 == 0) { // positions 1, 3, 5 … counted from one
            v *= 2;
            v = v / 10 + v % 10;
        }
        total += v;
    }
    return total % 10 == 0;
}

QString MaskCard(const QString& number) {
    // Counted in digits, not characters: however the number is grouped, only
    // its last four digits stay readable.  Separators keep their places.
    int keep = 4;
    QString out = number;
    for (int i = int(out.size()) - 1; i >= 0; --i) {
        if (!isDigit(out.at(i))) continue;
        if (keep > 0)
            --keep;
        else
            out[i] = 'x';
    }
    return out;
}

std::optional<QString> FindCardNumber(const QString& text, bool strict) {
    QString run;
    for (QChar c : text) {
        if (c >= '0' && c <= '9') {
            run += c;
        } else if (c.isLetter()) {
            if (auto found = cardInRun(run, strict)) return found;
            run.clear();
        }
    }
    return cardInRun(run, strict);
}

bool CheckForCCNumber(const QString& text, bool strict) {
    return FindCardNumber(text, strict).has_value();
}

QString CreditCardISM(const QString& text, bool deleteMode) {
    if (text.contains("Tracking Number")) return text;
    QString out = text;
    // Every number goes, not only the first: a note may carry two cards.
    for (int guard = 0; guard < 100; ++guard) {
        const auto digits = FindCardNumber(out);
        if (!digits) break;
        const auto where = locate(out, *digits);
        if (!where) break;
        const QString found = out.mid(where->first, where->second - where->first);
        const QString replacement = deleteMode ? kCardDeletedText : MaskCard(found);
        out = out.left(where->first) + replacement + out.mid(where->second);
    }
    return out;
}

} // namespace vm
