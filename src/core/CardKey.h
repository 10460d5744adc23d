#pragma once
// The key template of the card cipher.  It comes, encrypted, from the location
// provider when the databases open; a property without any stored card gets a
// new one, written to the location file that was read.  A template is never
// replaced while encrypted card numbers depend on it, and nothing else ever
// encrypts a card: without a usable template card numbers are neither stored
// nor shown.

#include "core/AppContext.h"

#include <optional>

namespace vm {

// The setting EnhancedEncryption: on, off, or nullopt when it cannot be read
// (a failed read or a Null).
std::optional<bool> ReadEnhancedEncryption(Database& db);

// True when a logbook entry (current or archive) or a profile card holds an
// encrypted number; also true when that cannot be found out.
bool HoldsEncryptedCards(AppContext& ctx);

// Reads (or, for a property without cards, makes) the key template and keeps it
// in ctx.start.keyTemplate; answers and keeps the state.  A template missing
// while cards are stored is refused with a message.
CardKeyState LoadCardKey(AppContext& ctx);

// Why card numbers cannot be used in `state` ("" for Ready).
QString CardKeyProblemText(CardKeyState state);
// The message card functions show when they refuse.
QString CardsRefusedText(CardKeyState state);

} // namespace vm
