#include "frmDebug.h"

#include "ClientLinks.h"
#include "DebugText.h"
#include "runtime/ErrorGuard.h"
#include "runtime/RichTextEditing.h"

namespace skx {

frmDebugForm::frmDebugForm() : FeatureWindow("frmDebug", IDD_DEBUG) {
    cmdExit.Click = [this] { Unload(); };
}

void frmDebugForm::OnLoad() {
    Guard("frmDebug", "Form_Load", [&] {
        RtbClear(rtbPlayerData);
        std::vector<DebugPlayer> players;
        if (const auto& table = ClientLinks().PlayerTable) {
            for (const auto& [name, sprite] : table()) players.push_back(DebugPlayer{name, sprite});
        }
        // Names are the server's: they go in as plain text, never read as rich text.
        RtbSetPlainText(rtbPlayerData, PlayerTableText(players));
    });
}

frmDebugForm& frmDebug() { return TheForm<frmDebugForm>(); }

}  // namespace skx
