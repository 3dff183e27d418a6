#include "autofill/anfitriao/Anfitriao.h"

#include "autofill/protocolo/ProtocoloDoAnfitriao.h"
#include "core/CodificacaoJSON.h"
#include "plataforma/CofreDeSegredos.h"
#include "plataforma/InfoDoPacote.h"
#include "plataforma/RepositorioDeIdentidades.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <optional>

namespace {

const char *const uso =
    "uso: corvane-anfitriao [--extensao CAMINHO] [--armazenamento-de-segredos VALOR] COMANDO\n"
    "  senhas URL-OU-DOMINIO...            lista as senhas para os sites\n"
    "  codigos DOMINIO...                  lista os códigos para os sites\n"
    "  sugestoes DOMINIO                   as identidades que o sistema ofereceria\n"
    "  fornecer --registro ID [--codigo] DOMINIO\n"
    "                                      pede a credencial de uma identidade\n"
    "  configurar                          o pedido de configuração\n"
    "  ativar | desativar                  liga ou desliga o Corvane como provedor\n"
    "opções:\n"
    "  --extensao CAMINHO                  a extensão a iniciar (padrão: corvane-preenchimento\n"
    "                                      ao lado deste programa ou no PATH)\n"
    "  --armazenamento-de-segredos VALOR   repassado à extensão: secret-service (o chaveiro da\n"
    "                                      sessão, o padrão) ou arquivo; sem ela vale a chave\n"
    "                                      armazenamento-de-segredos dos padrões\n"
    "  -h, --help                          mostra esta ajuda e sai\n"
    "  -v, --version                       mostra a versão e sai\n";

struct Opcoes {
    QString extensao;
    // Arguments the extension is started with (the store option, passed on as given).
    QStringList argumentosDaExtensao;
    QString comando;
    QStringList resto;
};

QString extensaoPadrao()
{
    const QString aoLado = QCoreApplication::applicationDirPath() + QStringLiteral("/corvane-preenchimento");
    if (QFileInfo(aoLado).isExecutable())
        return aoLado;
    return QStandardPaths::findExecutable(QStringLiteral("corvane-preenchimento"));
}

// Runs the extension for one request. The extension's input stays open until it answers, since
// closing it tells the extension that nobody waits any more. Nothing when there is no answer.
std::optional<RespostaDaExtensao> entregar(const Opcoes &opcoes, const PedidoDoAnfitriao &pedido, QTextStream &erros)
{
    const QString &extensao = opcoes.extensao;
    QProcess processo;
    // The answer comes on the extension's output; its diagnostics go where ours go.
    processo.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    processo.setReadChannel(QProcess::StandardOutput);
    processo.start(extensao, opcoes.argumentosDaExtensao);
    if (!processo.waitForStarted()) {
        erros << "não foi possível iniciar a extensão: " << extensao << '\n';
        return std::nullopt;
    }
    processo.write(pedido.linha());
    QByteArray lido;
    while (!lido.contains('\n')) {
        if (processo.bytesAvailable() > 0) {
            lido += processo.readAll();
            continue;
        }
        if (processo.state() == QProcess::NotRunning)
            break;
        if (!processo.waitForReadyRead(-1) && processo.state() == QProcess::NotRunning) {
            lido += processo.readAll();
            break;
        }
        if (lido.size() > tamanhoMaximoDaLinha)
            break;
    }
    processo.closeWriteChannel();
    if (!processo.waitForFinished(10'000)) {
        processo.kill();
        processo.waitForFinished();
    }
    const qsizetype fim = lido.indexOf('\n');
    if (fim < 0) {
        erros << "a extensão terminou sem responder\n";
        return std::nullopt;
    }
    auto resposta = RespostaDaExtensao::ler(lido.left(fim));
    if (!resposta)
        erros << "a extensão deu uma resposta ilegível\n";
    return resposta;
}

int imprimir(const std::optional<RespostaDaExtensao> &resposta, QTextStream &saida)
{
    if (!resposta)
        return SaidaDoAnfitriao::falhou;
    saida << QString::fromUtf8(resposta->linha());
    saida.flush();
    return resposta->tipo == RespostaDaExtensao::Tipo::cancelado ? SaidaDoAnfitriao::cancelado
                                                                 : SaidaDoAnfitriao::concluido;
}

IdentificadorDeServico servicoDe(const QString &texto)
{
    return {texto, texto.contains(QLatin1String("://")) ? IdentificadorDeServico::Tipo::url
                                                        : IdentificadorDeServico::Tipo::dominio};
}

// The identities offered for a site: those of the same domain or a parent domain of it.
bool ofereceEm(const QString &dominioDaIdentidade, const QString &site)
{
    const QString d = dominioDaIdentidade.toLower();
    const QString s = site.toLower();
    return d == s || s.endsWith(QLatin1Char('.') + d);
}

ValorJSON identidadeEmJSON(const IdentidadeDoPreenchimento &identidade)
{
    if (const auto *senha = std::get_if<IdentidadeDeSenha>(&identidade))
        return Escritor()
            .texto(QStringLiteral("tipo"), QStringLiteral("senha"))
            .texto(QStringLiteral("dominio"), senha->dominio)
            .texto(QStringLiteral("usuario"), senha->usuario)
            .texto(QStringLiteral("idDoRegistro"), senha->idDoRegistro)
            .valorPronto();
    const auto &codigo = std::get<IdentidadeDeCodigo>(identidade);
    return Escritor()
        .texto(QStringLiteral("tipo"), QStringLiteral("codigo"))
        .texto(QStringLiteral("dominio"), codigo.dominio)
        .texto(QStringLiteral("rotulo"), codigo.rotulo)
        .texto(QStringLiteral("idDoRegistro"), codigo.idDoRegistro)
        .valorPronto();
}

QString usuarioDoRegistro(RepositorioDeIdentidadesEmArquivo &repositorio, const QString &registro)
{
    for (const IdentidadeDoPreenchimento &identidade : repositorio.identidades())
        if (const auto *senha = std::get_if<IdentidadeDeSenha>(&identidade); senha && senha->idDoRegistro == registro)
            return senha->usuario;
    return {};
}

bool exigirLigado(RepositorioDeIdentidadesEmArquivo &repositorio, QTextStream &erros)
{
    if (repositorio.ligado())
        return true;
    erros << "o Corvane não está ligado como provedor de preenchimento (use: corvane-anfitriao ativar)\n";
    return false;
}

std::optional<Opcoes> lerOpcoes(QStringList argumentos)
{
    Opcoes opcoes;
    const QString armazenamento = QStringLiteral("--") + QLatin1String(chaveDoArmazenamentoDeSegredos);
    while (!argumentos.isEmpty() && argumentos.first().startsWith(QLatin1String("--"))) {
        const QString opcao = argumentos.first();
        if ((opcao == QLatin1String("--extensao") || opcao == armazenamento) && argumentos.size() >= 2) {
            if (opcao == armazenamento)
                opcoes.argumentosDaExtensao = {opcao + QLatin1Char('=') + argumentos.at(1)};
            else
                opcoes.extensao = argumentos.at(1);
            argumentos = argumentos.mid(2);
        } else if (opcao.startsWith(armazenamento + QLatin1Char('='))) {
            opcoes.argumentosDaExtensao = {opcao};
            argumentos.removeFirst();
        } else {
            break;
        }
    }
    if (argumentos.isEmpty())
        return std::nullopt;
    opcoes.comando = argumentos.takeFirst();
    opcoes.resto = argumentos;
    if (opcoes.extensao.isEmpty())
        opcoes.extensao = extensaoPadrao();
    return opcoes;
}

} // namespace

int executarAnfitriao(const QStringList &argumentos, QTextStream &saida, QTextStream &erros)
{
    for (const QString &argumento : argumentos) {
        if (argumento == QLatin1String("-h") || argumento == QLatin1String("--help")) {
            saida << uso;
            return SaidaDoAnfitriao::concluido;
        }
        if (argumento == QLatin1String("-v") || argumento == QLatin1String("--version")) {
            saida << "corvane-anfitriao "
                  << InfoDoPacote::dicionario().value(QStringLiteral("CFBundleShortVersionString")).toString() << '\n';
            return SaidaDoAnfitriao::concluido;
        }
    }
    // The host keeps no secrets itself; an unknown choice stops here, before any extension runs.
    if (const auto erro = CofreDeSegredos::configurarPelosArgumentos(argumentos)) {
        erros << *erro << '\n';
        return SaidaDoAnfitriao::falhou;
    }
    const auto opcoes = lerOpcoes(argumentos);
    if (!opcoes) {
        erros << uso;
        return SaidaDoAnfitriao::falhou;
    }
    RepositorioDeIdentidadesEmArquivo repositorio;
    const QString &comando = opcoes->comando;
    const QStringList &resto = opcoes->resto;

    if (comando == QLatin1String("desativar") && resto.isEmpty())
        return repositorio.definirLigado(false) ? SaidaDoAnfitriao::concluido : SaidaDoAnfitriao::falhou;

    if (comando == QLatin1String("ativar") && resto.isEmpty()) {
        if (!repositorio.definirLigado(true)) {
            erros << "não foi possível ligar o provedor\n";
            return SaidaDoAnfitriao::falhou;
        }
        // The system asks a newly enabled provider to configure itself.
        return imprimir(entregar(*opcoes, PedidoDoAnfitriao{}, erros), saida);
    }

    if (comando == QLatin1String("configurar") && resto.isEmpty())
        return imprimir(entregar(*opcoes, PedidoDoAnfitriao{}, erros), saida);

    if (comando == QLatin1String("sugestoes") && resto.size() == 1) {
        QList<ValorJSON> lista;
        if (repositorio.ligado())
            for (const IdentidadeDoPreenchimento &identidade : repositorio.identidades()) {
                const QString dominio = std::visit([](const auto &i) { return i.dominio; }, identidade);
                if (ofereceEm(dominio, resto.first()))
                    lista.append(identidadeEmJSON(identidade));
            }
        saida << QString::fromUtf8(CodificacaoJSON::escreverDocumento(ValorJSON::lista(std::move(lista)))) << '\n';
        return SaidaDoAnfitriao::concluido;
    }

    if ((comando == QLatin1String("senhas") || comando == QLatin1String("codigos")) && !resto.isEmpty()) {
        if (!exigirLigado(repositorio, erros))
            return SaidaDoAnfitriao::falhou;
        PedidoDoAnfitriao pedido;
        pedido.tipo = comando == QLatin1String("senhas") ? PedidoDoAnfitriao::Tipo::listarSenhas
                                                         : PedidoDoAnfitriao::Tipo::listarCodigos;
        for (const QString &site : resto)
            pedido.servicos.append(servicoDe(site));
        return imprimir(entregar(*opcoes, pedido, erros), saida);
    }

    if (comando == QLatin1String("fornecer")) {
        QStringList args = resto;
        IdentidadePedida identidade;
        bool temRegistro = false;
        while (!args.isEmpty() && args.first().startsWith(QLatin1String("--"))) {
            const QString opcao = args.takeFirst();
            if (opcao == QLatin1String("--codigo")) {
                identidade.codigo = true;
            } else if (opcao == QLatin1String("--registro") && !args.isEmpty()) {
                identidade.registro = args.takeFirst();
                temRegistro = true;
            } else {
                args.clear();
                temRegistro = false;
                break;
            }
        }
        if (!temRegistro || args.size() != 1) {
            erros << uso;
            return SaidaDoAnfitriao::falhou;
        }
        if (!exigirLigado(repositorio, erros))
            return SaidaDoAnfitriao::falhou;
        identidade.servico = {args.first(), IdentificadorDeServico::Tipo::dominio};
        identidade.usuario = usuarioDoRegistro(repositorio, identidade.registro);
        // As the system does: silently first, and with the extension's window when it needs the user.
        PedidoDoAnfitriao pedido;
        pedido.tipo = PedidoDoAnfitriao::Tipo::fornecerSemInteracao;
        pedido.identidade = identidade;
        const auto silenciosa = entregar(*opcoes, pedido, erros);
        if (!silenciosa)
            return SaidaDoAnfitriao::falhou;
        if (silenciosa->tipo != RespostaDaExtensao::Tipo::cancelado
            || silenciosa->erro != RespostaDaExtensao::interacaoNecessaria)
            return imprimir(silenciosa, saida);
        pedido.tipo = PedidoDoAnfitriao::Tipo::fornecer;
        return imprimir(entregar(*opcoes, pedido, erros), saida);
    }

    erros << uso;
    return SaidaDoAnfitriao::falhou;
}
