#include "core/CardKey.h"

#include "core/Settings.h"
#include "platform/Cipher.h"
#include "platform/LocationProvider.h"

namespace vm {

namespace {

const QString MsgTemplateMissingWithCards = QStringLiteral(
    "The card key is missing from this workstation's location file, but the database holds "
    "card numbers encrypted under it.  Card numbers can be neither stored nor shown until the "
    "location file with the card key is restored.  A new key would make every stored card "
    "number unreadable, so none is made.");

bool holdsIn(Database& db, const QString& table) {
    if (!db.tableExists(table) || !db.columnExists(table, "EncCC")) return false;
    return db
        .queryOne("SELECT 1 FROM [" + table +
                  "] WHERE [EncCC] IS NOT NULL AND TRIM([EncCC]) <> '' LIMIT 1")
        .has_value();
}

CardKeyState decide(AppContext& ctx) {
    const std::optional<bool> on = ReadEnhancedEncryption(ctx.db());
    if (!on) return CardKeyState::SettingUnreadable;
    if (!*on) return CardKeyState::EncryptionOff;

    // The location provider is asked again: its answer may have changed since start-up.
    const LocationInfo where = LocationProvider(ctx.workstation).info();
    const CipherKeys keys = CipherKeys::builtIn(ctx.start.masked);
    if (!where.keyTemplate.isEmpty()) {
        const QString clear = DecryptOriginal(where.keyTemplate, where.masked, keys);
        if (clear.trimmed().isEmpty()) return CardKeyState::TemplateUnreadable;
        ctx.start.keyTemplate = clear;
        return CardKeyState::Ready;
    }
    // A read-only copy cannot tell whether the real database holds cards.
    if (ctx.start.localBackup) return CardKeyState::TemplateMissing;
    if (HoldsEncryptedCards(ctx)) {
        ctx.prompt().message(MsgTemplateMissingWithCards, {}, Icon::Critical);
        return CardKeyState::TemplateMissing;
    }
    // Nothing depends on a template yet: this property gets its own.  It is
    // used only once it is safely in the location file, or cards stored now
    // would be lost with the next start.
    const QString fresh = NewKeyTemplate();
    const QString sealed = fresh.isEmpty() ? QString() : EncryptOriginal(fresh, where.masked, keys);
    if (sealed.isEmpty() || !StoreKeyTemplate(where.sourceFile, sealed))
        return CardKeyState::TemplateNotStored;
    ctx.start.keyTemplate = fresh;
    return CardKeyState::Ready;
}

} // namespace

std::optional<bool> ReadEnhancedEncryption(Database& db) {
    try {
        const QVariant v = db.scalar("SELECT [" + *BooleanSettingColumn("EnhancedEncryption") +
                                     "] FROM [Authorization]");
        if (!v.isValid() || v.isNull()) return std::nullopt;
        if (v.typeId() == QMetaType::QString)
            return v.toString().compare("true", Qt::CaseInsensitive) == 0 || v.toString() == "1";
        return v.toLongLong() != 0;
    } catch (const DbError&) {
        return std::nullopt;
    }
}

bool HoldsEncryptedCards(AppContext& ctx) {
    try {
        for (const char* table : {"LogBook", "ProfileCC", "LostAndFound"})
            if (holdsIn(ctx.db(), table)) return true;
        return ctx.archive && holdsIn(*ctx.archive, "LogBook");
    } catch (const DbError&) {
        return true; // unknown counts as held: no new template over cards
    }
}

CardKeyState LoadCardKey(AppContext& ctx) {
    ctx.start.keyTemplate.clear();
    const CardKeyState state = decide(ctx);
    ctx.start.cardKey = state;
    // Faults of the installation are said at once; a switch turned off or a
    // read-only copy is said when a card is asked for.
    if (state == CardKeyState::SettingUnreadable || state == CardKeyState::TemplateUnreadable ||
        state == CardKeyState::TemplateNotStored)
        ctx.prompt().message(CardsRefusedText(state), {}, Icon::Exclamation);
    return state;
}

QString CardKeyProblemText(CardKeyState state) {
    switch (state) {
    case CardKeyState::Ready:
        return {};
    case CardKeyState::SettingUnreadable:
        return "the card encryption setting of this property cannot be read.";
    case CardKeyState::EncryptionOff:
        return "card encryption is switched off for this property.";
    case CardKeyState::TemplateMissing:
        return "the card key is missing from this workstation's location file.";
    case CardKeyState::TemplateUnreadable:
        return "the card key in this workstation's location file cannot be read.";
    case CardKeyState::TemplateNotStored:
        return "no card key could be written to this workstation's location file.";
    }
    return {};
}

QString CardsRefusedText(CardKeyState state) {
    return "Card numbers can be neither stored nor shown: " + CardKeyProblemText(state) +
           "  Please call your system administrator.";
}

} // namespace vm
