#include "ModeloDosBotoesSociais.h"

#include "NavegacaoDaConta.h"
#include "screens/comum/MensagemDoErro.h"
#include "screens/comum/TiposNaTela.h"
#include "servicos/TextosDoComputador.h"
#include "state/ErroDeEntrada.h"
#include "state/EstadoDoApp.h"

namespace {

EntradaPeloSafari &safari()
{
    return EntradaPeloSafari::compartilhada();
}

} // namespace

ModeloDosBotoesSociais::ModeloDosBotoesSociais(QObject *pai) : QObject(pai)
{
    ultimoAguardado_ = aguardando();
    connect(&safari(), &EntradaPeloSafari::aguardandoMudou, this, &ModeloDosBotoesSociais::aoMudarAguardando);
    connect(&safari(), &EntradaPeloSafari::retornoAvulsoMudou, this, &ModeloDosBotoesSociais::tomarRetornoAvulso);
}

void ModeloDosBotoesSociais::definirEstado(EstadoDoApp *estado)
{
    if (estado_ == estado)
        return;
    estado_ = estado;
    emit estadoMudou();
}

void ModeloDosBotoesSociais::definirTela(NavegacaoDaConta *tela)
{
    if (tela_ == tela)
        return;
    tela_ = tela;
    emit telaMudou();
}

QString ModeloDosBotoesSociais::aguardando() const
{
    return safari().aguardando().value_or(QString());
}

void ModeloDosBotoesSociais::aoMudarAguardando()
{
    if (const QString provedor = aguardando(); !provedor.isEmpty())
        ultimoAguardado_ = provedor;
    emit aguardandoMudou();
}

QString ModeloDosBotoesSociais::explicacaoDoAguardo() const
{
    const QString &provedor = ultimoAguardado_;
    if (provedor == QLatin1String("apple"))
        return noComputador(u"Entre com a sua conta Apple. Se o Mac pedir, use o Touch ID.");
    if (provedor == QLatin1String("passkey"))
        return QStringLiteral("Confirme com a sua passkey e volte para o Corvane.");
    return QStringLiteral("Escolha a sua conta Google para continuar.");
}

void ModeloDosBotoesSociais::definirErro(const QString &valor)
{
    if (erro_ == valor)
        return;
    erro_ = valor;
    emit erroMudou();
}

void ModeloDosBotoesSociais::entrarComApple()
{
    iniciar(QStringLiteral("apple"), Espera::provedor);
}

void ModeloDosBotoesSociais::entrarComGoogle()
{
    iniciar(QStringLiteral("google"), Espera::provedor);
}

void ModeloDosBotoesSociais::entrarComPasskey()
{
    // The server step of a passkey page that answers with an identity gets no provider name.
    iniciar(QString(), Espera::passkey);
}

void ModeloDosBotoesSociais::iniciar(const QString &provedor, Espera espera)
{
    definirErro(QString());
    (void)fluxo(QPointer<ModeloDosBotoesSociais>(this), estado_, tela_, provedor, espera);
}

void ModeloDosBotoesSociais::reabrir()
{
    if (const auto &endereco = safari().ultimoEndereco())
        safari().abrirNoSafari(*endereco);
}

void ModeloDosBotoesSociais::cancelar()
{
    safari().cancelar();
}

void ModeloDosBotoesSociais::aoMostrar()
{
    tomarRetornoAvulso();
}

void ModeloDosBotoesSociais::tomarRetornoAvulso()
{
    const auto url = safari().retornoAvulso();
    if (!url)
        return;
    safari().definirRetornoAvulso(std::nullopt);
    std::optional<EntradaPeloSafari::Resultado> resultado;
    try {
        resultado = safari().lerRetorno(*url);
    } catch (const std::exception &) {
        // A stray callback that cannot be read is dropped without a word.
        return;
    }
    const QString provedor = EntradaPeloSafari::provedorDoRetorno(*url).value_or(QStringLiteral("apple"));
    (void)concluir(QPointer<ModeloDosBotoesSociais>(this), estado_, tela_, std::move(*resultado), provedor);
}

QCoro::Task<> ModeloDosBotoesSociais::fluxo(QPointer<ModeloDosBotoesSociais> eu, QPointer<EstadoDoApp> estado,
                                            QPointer<NavegacaoDaConta> tela, QString provedor, Espera espera)
{
    std::optional<EntradaPeloSafari::Resultado> resultado;
    try {
        if (espera == Espera::passkey)
            resultado = co_await safari().esperar(QStringLiteral("passkey"), QStringLiteral("entrar/mac"));
        else
            resultado = co_await safari().entrarComProvedor(provedor);
    } catch (const ErroDeEntradaSocial &erro) {
        if (erro.caso() != ErroDeEntradaSocial::Caso::cancelado && eu)
            eu->definirErro(QString::fromUtf8(textoDaFalhaNoNavegador));
        co_return;
    } catch (const std::exception &) {
        // A page error or an envelope that does not open: the same one line.
        if (eu)
            eu->definirErro(QString::fromUtf8(textoDaFalhaNoNavegador));
        co_return;
    }
    co_await concluir(eu, estado, tela, std::move(*resultado), provedor);
}

QCoro::Task<> ModeloDosBotoesSociais::concluir(QPointer<ModeloDosBotoesSociais> eu, QPointer<EstadoDoApp> estado,
                                               QPointer<NavegacaoDaConta> tela, EntradaPeloSafari::Resultado resultado,
                                               QString provedor)
{
    if (!estado)
        co_return;
    if (const auto *cofre = resultado.cofre()) {
        try {
            co_await estado->entrarComPasskey(cofre->sessao, cofre->chave);
        } catch (const ErroDeEntrada &) {
            // Another account than a vault already here: the state keeps nothing; the signed-out
            // window has no vault, so this does not arise here.
        }
        co_return;
    }
    const auto *social = resultado.social();
    if (eu)
        eu->definirErro(QString());
    std::optional<RespostaSocial> resposta;
    try {
        resposta = co_await estado->entrarComProvedor(provedor, social->token, social->nonce, social->nome);
    } catch (const std::exception &erro) {
        if (eu)
            eu->definirErro(mensagemDoErro(erro));
        co_return;
    }
    const QVariant naTela = QVariant::fromValue(RespostaSocialNaTela{*resposta});
    if (tela)
        tela->aoIdentificar(naTela);
    if (eu)
        emit eu->identificado(naTela);
}
