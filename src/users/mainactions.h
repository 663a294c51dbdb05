// The main window's commands of the signed-in user's own dialog.
#pragma once

namespace app {
struct MainActions;
}
namespace data {
class TDM;
}

namespace users {

// "Informações e Preferências do Usuário", "Backup dos Arquivos do Usuário" and "Gerenciar
// Usuários".
void setupMainActions(const app::MainActions &main, data::TDM &dm);

} // namespace users
