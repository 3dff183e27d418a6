#include "kit/LinhaDeComando.h"

#include "kit/TraducoesDoQt.h"
#include "plataforma/CofreDeSegredos.h"
#include "plataforma/InfoDoPacote.h"
#include "plataforma/Padroes.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

namespace {

QString nomeDoPrograma(LinhaDeComando::Programa programa)
{
    return programa == LinhaDeComando::Programa::aplicativo ? QStringLiteral("corvane")
                                                            : QStringLiteral("corvane-preenchimento");
}

const QStringList opcoesDeAjuda = {QStringLiteral("-h"), QStringLiteral("--help"), QStringLiteral("-?")};
const QStringList opcoesDeVersao = {QStringLiteral("-v"), QStringLiteral("--version")};

// The parser that describes the program. Options are added as the programs read them (each
// reads its own values elsewhere); this one only tells them apart from a request for help.
void descrever(QCommandLineParser &analisador, LinhaDeComando::Programa programa)
{
    analisador.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QString armazenamento = QStringLiteral(
                                      "Onde guardar a chave do cofre: “%1” (o chaveiro da sessão, o padrão) ou “%2” "
                                      "(um arquivo protegido na pasta pessoal). Sem a opção vale a chave “%3” de %4.")
                                      .arg(QLatin1String(armazenamentoSecretService),
                                           QLatin1String(armazenamentoEmArquivo),
                                           QLatin1String(chaveDoArmazenamentoDeSegredos), Padroes::padrao().caminho());
    if (programa == LinhaDeComando::Programa::aplicativo) {
        analisador.setApplicationDescription(QStringLiteral(
            "Corvane: cofre pessoal com criptografia de ponta a ponta (códigos de autenticação, senhas e notas).\n"
            "Um segundo início entrega o endereço corvane: à janela que já está aberta."));
        analisador.addPositionalArgument(QStringLiteral("corvane:ENDEREÇO"),
                                         QStringLiteral("Um endereço corvane: vindo do navegador (opcional)."),
                                         QStringLiteral("[corvane:ENDEREÇO]"));
        analisador.addOption({QStringLiteral("servidor"),
                              QStringLiteral("Usa outro servidor (http ou https) como API e site nesta execução."),
                              QStringLiteral("endereço")});
        analisador.addOption({QString::fromLatin1(argumentoComecarDoZero).mid(1),
                              QStringLiteral("Começa do zero: apaga a sessão, a chave do cofre, a cópia local e as preferências deste computador.")});
    } else {
        analisador.setApplicationDescription(QStringLiteral(
            "Extensão de preenchimento automático do Corvane. O corvane-anfitriao a inicia para cada pedido:\n"
            "ela lê uma linha JSON do pedido na entrada padrão e escreve uma linha JSON da resposta na saída\n"
            "padrão."));
    }
    analisador.addOption({QLatin1String(chaveDoArmazenamentoDeSegredos), armazenamento, QStringLiteral("valor")});
    analisador.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Mostra esta ajuda e sai.")});
    analisador.addOption({{QStringLiteral("v"), QStringLiteral("version")}, QStringLiteral("Mostra a versão e sai.")});
}

} // namespace

QString LinhaDeComando::ajuda(Programa programa)
{
    QCommandLineParser analisador;
    descrever(analisador, programa);
    QString texto = analisador.helpText();
    // The start-over option is a single-dash word (as the state reads it); Qt prints long
    // options with two.
    const QString comecar = QString::fromLatin1(argumentoComecarDoZero);
    texto.replace(QLatin1Char('-') + comecar + QLatin1Char(' '), comecar + QStringLiteral("  "));
    // Qt names the executable by its path; the help names the installed program.
    if (QCoreApplication::instance()) {
        const QString caminho = QCoreApplication::arguments().value(0);
        if (!caminho.isEmpty())
            texto.replace(caminho, nomeDoPrograma(programa));
    }
    return texto;
}

QString LinhaDeComando::versao(Programa programa)
{
    const QString numero = InfoDoPacote::dicionario().value(QStringLiteral("CFBundleShortVersionString")).toString();
    return nomeDoPrograma(programa) + QLatin1Char(' ') + (numero.isEmpty() ? QStringLiteral("0") : numero) + QLatin1Char('\n');
}

std::optional<QString> LinhaDeComando::respostaImediata(Programa programa, const QStringList &argumentos)
{
    // The first of the two that appears wins, as QCommandLineParser's own handling does.
    for (const QString &argumento : argumentos.mid(1)) {
        if (argumento == QLatin1String("--"))
            break;
        if (opcoesDeAjuda.contains(argumento))
            return ajuda(programa);
        if (opcoesDeVersao.contains(argumento))
            return versao(programa);
    }
    return std::nullopt;
}

std::optional<int> LinhaDeComando::responderSePedido(Programa programa, int argc, char **argv)
{
    QStringList argumentos;
    for (int i = 0; i < argc; ++i)
        argumentos.append(QString::fromLocal8Bit(argv[i]));
    if (!respostaImediata(programa, argumentos))
        return std::nullopt;
    const QCoreApplication nucleo(argc, argv);
    TraducoesDoQt::carregar();
    const QByteArray texto = respostaImediata(programa, argumentos)->toLocal8Bit();
    std::fwrite(texto.constData(), 1, size_t(texto.size()), stdout);
    std::fflush(stdout);
    return 0;
}
