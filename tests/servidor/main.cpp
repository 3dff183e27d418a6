// corvane-servidor: the development server on its own, for trying the application locally.
#include "ServidorDeDesenvolvimento.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <chrono>
#include <cstdio>
#include <optional>
#include <stdexcept>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("corvane-servidor"));

    QCommandLineParser opcoes;
    opcoes.setApplicationDescription(
        QStringLiteral("Servidor de desenvolvimento do Corvane: a API do cofre, em memória, em 127.0.0.1."));
    opcoes.addHelpOption();
    const QCommandLineOption porta(QStringLiteral("porta"),
                                   QStringLiteral("Porta em 127.0.0.1 (padrão 8787; 0 escolhe uma livre)."),
                                   QStringLiteral("N"), QStringLiteral("8787"));
    opcoes.addOption(porta);
    const QCommandLineOption versao(
        QStringLiteral("versao-publicada"),
        QStringLiteral("Versão que o site anuncia em downloads/mac.json (padrão: a desta compilação)."),
        QStringLiteral("VERSAO"));
    opcoes.addOption(versao);
    const QCommandLineOption prazo(QStringLiteral("prazo-de-leitura"),
                                   QStringLiteral("Segundos para um pedido chegar inteiro (padrão 10)."),
                                   QStringLiteral("S"), QStringLiteral("10"));
    opcoes.addOption(prazo);
    const QCommandLineOption duracaoDaSessao(
        QStringLiteral("duracao-da-sessao"),
        QStringLiteral("Segundos até cada sessão nova terminar; renová-la não a estende (padrão: não termina)."),
        QStringLiteral("S"));
    opcoes.addOption(duracaoDaSessao);
    opcoes.process(app);

    std::optional<std::chrono::seconds> sessao;
    if (opcoes.isSet(duracaoDaSessao)) {
        bool sessaoOk = false;
        const qint64 valor = opcoes.value(duracaoDaSessao).toLongLong(&sessaoOk);
        if (!sessaoOk || valor <= 0) {
            std::fprintf(stderr, "corvane-servidor: duração de sessão inválida: %s\n",
                         qPrintable(opcoes.value(duracaoDaSessao)));
            return 2;
        }
        sessao = std::chrono::seconds(valor);
    }

    bool prazoOk = false;
    const double segundos = opcoes.value(prazo).toDouble(&prazoOk);
    if (!prazoOk || segundos <= 0) {
        std::fprintf(stderr, "corvane-servidor: prazo inválido: %s\n", qPrintable(opcoes.value(prazo)));
        return 2;
    }

    bool ok = false;
    const uint numero = opcoes.value(porta).toUInt(&ok);
    if (!ok || numero > 65535) {
        std::fprintf(stderr, "corvane-servidor: porta inválida: %s\n", qPrintable(opcoes.value(porta)));
        return 2;
    }

    Servidor::ServidorDeDesenvolvimento servidor;
    servidor.registrarNoLog(true);
    servidor.estado().definirDuracaoDaSessao(sessao);
    servidor.definirPrazoDeLeitura(std::chrono::milliseconds(static_cast<qint64>(segundos * 1000)));
    if (opcoes.isSet(versao))
        servidor.site().definirVersaoPublicada(opcoes.value(versao));
    try {
        servidor.iniciar(static_cast<quint16>(numero));
    } catch (const std::runtime_error &erro) {
        std::fprintf(stderr, "corvane-servidor: %s\n", erro.what());
        return 1;
    }
    std::fprintf(stderr, "corvane-servidor ouvindo em %s (códigos de e-mail aparecem aqui)\n",
                 qPrintable(servidor.endereco().toString()));
    return QCoreApplication::exec();
}
