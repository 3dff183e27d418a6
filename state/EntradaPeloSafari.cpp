#include "state/EntradaPeloSafari.h"

#include "core/Codecs.h"
#include "core/CodificacaoJSON.h"
#include "core/Configuracao.h"
#include "core/Envelope.h"
#include "core/ErroDeCripto.h"
#include "plataforma/Primitivas.h"

#include <QCoro/QCoroFuture>
#include <QDesktopServices>
#include <QFuture>
#include <QPointer>
#include <QPromise>
#include <QStringList>
#include <QUrlQuery>

#include <exception>
#include <utility>

namespace {

const QString esquema = QStringLiteral("corvane");
const QString hostSocial = QStringLiteral("social");
const QString hostPasskey = QStringLiteral("passkey");
const QString aguardadoPasskey = QStringLiteral("passkey");

constexpr qsizetype tamanhoDaChaveDoCofre = 32;
constexpr qsizetype tamanhoDoNonce = 12;
constexpr qsizetype tamanhoDaEtiqueta = 16;

// Overwrites a buffer we own; one still shared with another QByteArray is left alone, since
// writing through data() would only detach and wipe a fresh copy.
void zerar(QByteArray &bytes)
{
    if (bytes.isEmpty() || !bytes.isDetached())
        return;
    volatile char *p = bytes.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        p[i] = 0;
}

// Zeroes a secret when its scope ends, thrown or not.
class Zerar {
public:
    explicit Zerar(QByteArray &bytes) : bytes_(bytes) {}
    ~Zerar() { zerar(bytes_); }
    Zerar(const Zerar &) = delete;
    Zerar &operator=(const Zerar &) = delete;

private:
    QByteArray &bytes_;
};

[[noreturn]] void falharCripto(const char *codigo)
{
    throw ErroDeCripto(QString::fromLatin1(codigo));
}

bool ehRetorno(const QUrl &url)
{
    return url.isValid() && url.scheme() == esquema && (url.host() == hostSocial || url.host() == hostPasskey);
}

// The first item with the name, percent-decoded; none when the name is missing.
std::optional<QString> item(const QUrlQuery &consulta, const QString &nome)
{
    if (!consulta.hasQueryItem(nome))
        return std::nullopt;
    return consulta.queryItemValue(nome, QUrl::FullyDecoded);
}

} // namespace

struct EntradaPeloSafari::Espera {
    QPromise<Resultado> promessa;
};

EntradaPeloSafari::EntradaPeloSafari(QObject *pai)
    : QObject(pai), abridor_([](const QUrl &url) { QDesktopServices::openUrl(url); })
{
}

EntradaPeloSafari::~EntradaPeloSafari()
{
    // A waiting task must not hang forever on an object that is gone.
    cancelar();
}

EntradaPeloSafari &EntradaPeloSafari::compartilhada()
{
    static EntradaPeloSafari instancia;
    return instancia;
}

void EntradaPeloSafari::definirAguardando(TextoOpcional valor)
{
    if (aguardando_ == valor)
        return;
    aguardando_ = std::move(valor);
    emit aguardandoMudou();
}

void EntradaPeloSafari::definirRetornoAvulso(UrlOpcional url)
{
    if (retornoAvulso_ == url)
        return;
    retornoAvulso_ = std::move(url);
    emit retornoAvulsoMudou();
}

void EntradaPeloSafari::definirUltimoEndereco(UrlOpcional valor)
{
    if (ultimoEndereco_ == valor)
        return;
    ultimoEndereco_ = std::move(valor);
    emit ultimoEnderecoMudou();
}

void EntradaPeloSafari::definirAbridor(Abridor abridor)
{
    abridor_ = std::move(abridor);
}

QCoro::Task<EntradaPeloSafari::Resultado> EntradaPeloSafari::esperar(QString aguardado, QString caminho,
                                                                     std::optional<QString> consulta)
{
    cancelar();

    chaveTemporaria_ = std::make_unique<Primitivas::ParP256>();
    pedido_.reset();
    const QString textoDaChave = Cripto::codificarBase64URL(chaveTemporaria_->chavePublica());

    const auto site = urlDoSite();
    if (!site) {
        // No page opens, so no callback can belong to this request.
        chaveTemporaria_.reset();
        throw ErroDeEntradaSocial::falhou();
    }
    QUrl pagina = *site;
    QString caminhoCompleto = pagina.path();
    if (!caminhoCompleto.endsWith(QLatin1Char('/')))
        caminhoCompleto += QLatin1Char('/');
    caminhoCompleto += caminho;
    pagina.setPath(caminhoCompleto);

    QStringList itens;
    if (consulta)
        itens.append(*consulta);
    itens.append(QStringLiteral("chave=") + textoDaChave);
    const QString texto = pagina.toString(QUrl::FullyEncoded) + QLatin1Char('?') + itens.join(QLatin1Char('&'));
    const QUrl endereco(texto, QUrl::StrictMode);
    if (!endereco.isValid()) {
        chaveTemporaria_.reset();
        throw ErroDeEntradaSocial::falhou();
    }

    pedido_ = aguardado;
    definirUltimoEndereco(endereco);
    definirAguardando(aguardado);

    const quint64 minha = ++geracao_;
    espera_ = std::make_unique<Espera>();
    espera_->promessa.start();
    QFuture<Resultado> futuro = espera_->promessa.future();
    // The wait is in place before the browser opens, so even an immediate callback finds it.
    abrirNoSafari(endereco);

    const QPointer<EntradaPeloSafari> vivo(this);
    std::optional<Resultado> resultado;
    std::exception_ptr erro;
    try {
        resultado.emplace(co_await futuro);
    } catch (...) {
        // Rethrown below once the waiting state is cleared.
        erro = std::current_exception();
    }
    // A newer wait that replaced this one owns `aguardando` now.
    if (vivo && geracao_ == minha)
        definirAguardando(std::nullopt);
    if (erro)
        std::rethrow_exception(erro);
    co_return std::move(*resultado);
}

QCoro::Task<EntradaPeloSafari::Resultado> EntradaPeloSafari::entrarComProvedor(QString provedor)
{
    const QString caminho = QStringLiteral("entrar/social/") + provedor;
    Resultado resultado = co_await esperar(std::move(provedor), caminho, QStringLiteral("app=mac"));
    co_return resultado;
}

void EntradaPeloSafari::cancelar()
{
    if (!espera_)
        return;
    // Taken out first: whoever resumes next finds no wait to resume again.
    const std::unique_ptr<Espera> espera = std::move(espera_);
    espera->promessa.setException(std::make_exception_ptr(ErroDeEntradaSocial::cancelado()));
    espera->promessa.finish();
}

bool EntradaPeloSafari::receber(const QUrl &url)
{
    if (!ehRetorno(url))
        return false;
    emit ativacaoPedida();
    if (!espera_) {
        definirRetornoAvulso(url);
        return true;
    }
    const std::unique_ptr<Espera> espera = std::move(espera_);
    // Read now, against the key of the wait it answers: a new wait started before the waiting
    // task resumes would otherwise replace that key.
    try {
        espera->promessa.addResult(lerRetorno(url));
    } catch (...) {
        // Not swallowed: the waiting task rethrows it.
        espera->promessa.setException(std::current_exception());
    }
    espera->promessa.finish();
    return true;
}

EntradaPeloSafari::Resultado EntradaPeloSafari::lerRetorno(const QUrl &url)
{
    // Only the application's own callbacks are read; any other address is no sign-in.
    if (!ehRetorno(url))
        throw ErroDeEntradaSocial::falhou();
    const QUrlQuery consulta(url);

    if (item(consulta, QStringLiteral("erro")) == QStringLiteral("cancelado"))
        throw ErroDeEntradaSocial::cancelado();

    if (url.host() == hostPasskey) {
        const auto envelope = item(consulta, QStringLiteral("envelope"));
        if (!envelope || !chaveTemporaria_)
            throw ErroDeEntradaSocial::falhou();
        // One envelope per key: the key is gone whether or not this one opens.
        const std::unique_ptr<Primitivas::ParP256> chave = std::move(chaveTemporaria_);
        pedido_.reset();
        return abrirEnvelope(*envelope, *chave);
    }

    // An identity token proves nothing about who asked for it: take one only as the answer to
    // this application's own outstanding provider request, and only once.
    if (!pedido_ || *pedido_ == aguardadoPasskey)
        throw ErroDeEntradaSocial::falhou();
    const auto provedor = item(consulta, QStringLiteral("provedor"));
    if (provedor && *provedor != *pedido_)
        throw ErroDeEntradaSocial::falhou();
    const auto token = item(consulta, QStringLiteral("token"));
    const auto nonce = item(consulta, QStringLiteral("nonce"));
    if (!token || token->isEmpty() || !nonce || nonce->isEmpty())
        throw ErroDeEntradaSocial::falhou();
    auto nome = item(consulta, QStringLiteral("nome"));
    if (nome && nome->isEmpty())
        nome.reset();

    pedido_.reset();
    chaveTemporaria_.reset();
    return Resultado{Resultado::Social{*token, *nonce, std::move(nome)}};
}

EntradaPeloSafari::Resultado EntradaPeloSafari::abrirEnvelope(const QString &envelope,
                                                              const Primitivas::ParP256 &chave) const
{
    const QStringList pedacos = envelope.split(QLatin1Char('.'), Qt::SkipEmptyParts);
    if (pedacos.size() != 3)
        throw ErroDeEntradaSocial::falhou();
    const QString rotulo = QString::fromLatin1(rotuloDoEnvelope);
    const QByteArray dadosAssociados = rotulo.toUtf8();

    const QByteArray publicaDoSite = Cripto::decodificarBase64URL(pedacos[0]);
    auto segredo = chave.acordo(publicaDoSite);
    if (!segredo)
        falharCripto("chave-invalida");
    const Zerar zerarSegredo(*segredo);
    QByteArray simetrica = Cripto::hkdf(*segredo, rotulo, 32);
    const Zerar zerarSimetrica(simetrica);

    const QByteArray combinado = Cripto::decodificarBase64URL(pedacos[1]) + Cripto::decodificarBase64URL(pedacos[2]);
    if (combinado.size() < tamanhoDoNonce + tamanhoDaEtiqueta)
        falharCripto("tamanho-invalido");
    const QByteArray nonce = combinado.left(tamanhoDoNonce);
    QByteArray claro = combinado.mid(tamanhoDoNonce);
    const Zerar zerarClaro(claro);
    if (!Primitivas::abrirAesGcmNoLugar(claro, simetrica, nonce, dadosAssociados))
        falharCripto("falha-ao-decifrar");

    const ValorJSON documento = CodificacaoJSON::lerDocumento(claro);
    const Leitor conteudo(documento);
    RespostaDeSessao sessao = RespostaDeSessao::deJSON(conteudo.exigirObjeto(QStringLiteral("sessao")));
    QByteArray chaveDoCofre = Cripto::decodificarBase64URL(conteudo.exigirTexto(QStringLiteral("chaveDoCofre")));
    if (chaveDoCofre.size() != tamanhoDaChaveDoCofre || !sessao.tokenDeRenovacao || sessao.tokenDeRenovacao->isEmpty()) {
        zerar(chaveDoCofre);
        throw ErroDeEntradaSocial::falhou();
    }
    return Resultado{Resultado::Cofre{std::move(sessao), std::move(chaveDoCofre)}};
}

void EntradaPeloSafari::abrirNoSafari(const QUrl &url) const
{
    if (abridor_)
        abridor_(url);
}

QString EntradaPeloSafari::nomeDoNavegador()
{
    // The page opens in the desktop's default browser, whichever it is.
    return QStringLiteral("navegador");
}

std::optional<QString> EntradaPeloSafari::provedorDoRetorno(const QUrl &url)
{
    return item(QUrlQuery(url), QStringLiteral("provedor"));
}
