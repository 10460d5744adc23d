#include "platform/VersionedSave.h"

#include "platform/Prompt.h"

namespace vm {

bool SettleVersionedSave(Prompt& prompt, VersionedResult result, const QString& record,
                         const std::function<void()>& reload) {
    switch (result) {
    case VersionedResult::Updated:
        return true;
    case VersionedResult::Changed:
        // Enter keeps what the member typed: reloading throws it away.
        if (prompt.ask(ChangedElsewhereQuestion(record), {}, Buttons::YesNo, Icon::Exclamation,
                       Answer::No) == Answer::Yes &&
            reload)
            reload();
        return false;
    case VersionedResult::Gone:
        prompt.message(GoneElsewhereMessage(record), {}, Icon::Exclamation);
        return false;
    }
    return false;
}

} // namespace vm
