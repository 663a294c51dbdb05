#include "commandline.h"

namespace app {

CommandLine parseCommandLine(const QStringList &arguments)
{
    CommandLine line;
    bool help = false, version = false, dadosGiven = false;
    QString error;
    auto fail = [&error](const QString &text) {
        if (error.isEmpty())
            error = text;
    };
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &arg = arguments[i];
        if (arg == "-h" || arg == "--help") {
            help = true;
        } else if (arg == "-v" || arg == "--version") {
            version = true;
        } else if (arg == "--dados" || arg.startsWith("--dados=")) {
            QString value;
            if (arg == "--dados") {
                if (i + 1 < arguments.size())
                    value = arguments[++i];
            } else {
                value = arg.sliced(arg.indexOf('=') + 1);
            }
            if (value.isEmpty())
                fail("A opção --dados precisa do nome de uma pasta.");
            else if (dadosGiven)
                fail("A opção --dados foi dada mais de uma vez.");
            dadosGiven = true;
            line.dados = value;
        } else if (arg.startsWith('-')) {
            fail("Opção desconhecida: " + arg);
        } else {
            fail("Argumento inesperado: " + arg);
        }
    }
    if (help)
        line.action = CommandLine::Action::Help;
    else if (version)
        line.action = CommandLine::Action::Version;
    else if (!error.isEmpty()) {
        line.action = CommandLine::Action::Error;
        line.error = error;
    }
    return line;
}

QString helpText(const QString &perUserDir)
{
    return "Uso: quorvila [opções]\n"
           "\n"
           "Quorvila :: Finanças Pessoais, as finanças da família em partidas dobradas.\n"
           "\n"
           "Opções:\n"
           "  --dados PASTA   trabalha com os dados da PASTA, que precisa existir (outra\n"
           "                  instalação, uma cópia num pen drive)\n"
           "  -h, --help      mostra esta ajuda e termina\n"
           "  -v, --version   mostra a versão e termina\n"
           "\n"
           "Sem --dados, os dados ficam na pasta Dados ao lado do programa, quando ela\n"
           "existe (uso portátil); no programa instalado, na pasta de cada usuário:\n"
           "  " +
           (perUserDir.isEmpty() ? QString("(pasta do usuário indeterminada)") : perUserDir) + "\n";
}

QString versionText()
{
    return QStringLiteral("Quorvila :: Finanças Pessoais " QUORVILA_VERSION "\n");
}

} // namespace app
