// The main window's commands of the signed-in user's own dialog.
#pragma once

namespace app {
struct MainActions;
}
namespace data {
class TDM;
}

namespace users {

// "Informações e Preferências do Usuário" and "Backup dos Arquivos do Usuário".
void setupMainActions(const app::MainActions &main, data::TDM &dm);

} // namespace users
