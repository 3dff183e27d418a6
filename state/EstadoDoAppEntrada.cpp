// Sign-in: with the account password and an authenticator code, with an Apple or Google
// identity followed by the vault password, and with a passkey whose session and vault key the
// browser delivered.
#include "state/EstadoDoApp.h"

#include "servicos/TextosDoComputador.h"
#include "core/Chaveiro.h"
#include "core/Codecs.h"
#include "core/CopiaDoCofre.h"
#include "state/ForaDoPrincipal.h"

namespace {

const Trabalho abrindoOCofre{QStringLiteral("Abrindo o cofre"), noComputador(u"Protegendo sua senha neste Mac.")};
const Trabalho conferindo{QStringLiteral("Conferindo"), QStringLiteral("Um instante.")};

} // namespace

QCoro::Task<RespostaDePreEntrada> EstadoDoApp::buscarPreEntrada(QString email)
{
    QString normalizado = normalizarEmail(email);
    co_return co_await api_->preEntrada(std::move(normalizado));
}

QCoro::Task<EntradaPendente> EstadoDoApp::derivarEntrada(QString email, QString senha, QString sal,
                                                         ParametrosKdf kdf, std::optional<QString> tokenSocial)
{
    ChavesDaSenha chaves;
    {
        const Sobreposicao sobreposicao(*this, abrindoOCofre);
        const QFuture<Desfecho<ChavesDaSenha>> futuro = foraDoPrincipal([senha, sal, kdf] {
            return Cripto::derivarChavesDaSenha(senha, Cripto::decodificarBase64URL(sal), kdf);
        });
        chaves = resultadoDe(co_await futuro);
    }
    co_return EntradaPendente{std::move(email), chaves.prova, chaves.chaveDeEmbrulho, std::move(tokenSocial)};
}

QCoro::Task<EntradaPendente> EstadoDoApp::prepararEntrada(QString email, QString senha)
{
    const QString normalizado = normalizarEmail(email);
    const RespostaDePreEntrada pre = co_await buscarPreEntrada(normalizado);
    co_return co_await derivarEntrada(normalizado, std::move(senha), pre.sal, pre.kdf, std::nullopt);
}

QCoro::Task<std::pair<RespostaDeSessao, QByteArray>> EstadoDoApp::criarSessao(EntradaPendente pendente,
                                                                              std::optional<QString> codigo)
{
    CorpoDeEntrada corpo;
    if (!pendente.tokenSocial)
        corpo.email = pendente.email;
    corpo.tokenSocial = pendente.tokenSocial;
    corpo.prova = pendente.prova;
    corpo.codigoDoAutenticador = codigo;
    corpo.dispositivo = dispositivo_;

    std::optional<RespostaDeSessao> resposta;
    try {
        resposta = co_await api_->entrar(std::move(corpo));
    } catch (const ErroDaAPI &erro) {
        if (erro.ehServidor() && erro.codigo == QLatin1String("autenticador-necessario") && !codigo)
            throw ErroDeEntrada::autenticadorNecessario();
        throw;
    }

    QByteArray chave;
    try {
        chave = Cripto::abrirChaveDoCofre(resposta->conta.chaveDoCofreProtegida, pendente.chaveDeEmbrulho);
    } catch (const std::exception &) {
        // Whatever went wrong, this password does not open this vault; the session is dropped.
        throw ErroDeEntrada::senhaIncorreta();
    }
    if (chave.size() != Chaveiro::tamanhoDaChaveDoCofre)
        throw ErroDeEntrada::senhaIncorreta();
    co_return std::pair<RespostaDeSessao, QByteArray>{std::move(*resposta), std::move(chave)};
}

QCoro::Task<> EstadoDoApp::concluirEntrada(EntradaPendente pendente, std::optional<QString> codigo)
{
    const auto [resposta, chave] = co_await criarSessao(std::move(pendente), std::move(codigo));
    api_->guardarSessao(resposta);
    // The previous account's copy must not be loaded into the new store.
    CopiaDoCofre::apagar();
    definirSecoesLiberadas(true);
    definirPrecisaEntrarDeNovo(false);
    abrirCofre(resposta.conta, chave, true);
    iniciarOfertaDeProtecao();
}

bool EstadoDoApp::mesmoCofre(const Conta &conta, const QByteArray &chave) const
{
    return cofre_ && cofre_->conta().id == conta.id && cofre_->chave() == chave;
}

QCoro::Task<> EstadoDoApp::manterCofreAberto(const Conta &conta)
{
    const QPointer<Cofre> cofre(cofre_);
    cofre->definirConta(conta);
    cofre->salvarCopia();
    definirConta(conta);
    co_await cofre->sincronizar();
}

QCoro::Task<> EstadoDoApp::entrarDeNovo(EntradaPendente pendente, std::optional<QString> codigo)
{
    const auto [resposta, chave] = co_await criarSessao(std::move(pendente), std::move(codigo));
    api_->guardarSessao(resposta);
    definirPrecisaEntrarDeNovo(false);
    if (mesmoCofre(resposta.conta, chave)) {
        co_await manterCofreAberto(resposta.conta);
        co_return;
    }
    CopiaDoCofre::apagar();
    abrirCofre(resposta.conta, chave, true);
}

QCoro::Task<RespostaSocial> EstadoDoApp::entrarComProvedor(QString provedor, QString token, QString nonce,
                                                           std::optional<QString> nome)
{
    std::optional<RespostaSocial> resposta;
    {
        const Sobreposicao sobreposicao(*this, conferindo);
        CorpoSocial corpo{std::move(provedor), std::move(token), std::move(nonce)};
        resposta = co_await api_->entrarSocial(std::move(corpo));
    }
    // The name comes from the browser callback, never from the server's answer.
    resposta->nomeSugerido = std::move(nome);
    co_return std::move(*resposta);
}

QCoro::Task<EntradaPendente> EstadoDoApp::prepararEntradaSocial(RespostaSocial resposta, QString senha)
{
    if (!resposta.sal || !resposta.kdf)
        throw ErroDeEntrada::senhaIncorreta();
    co_return co_await derivarEntrada(resposta.email, std::move(senha), *resposta.sal, *resposta.kdf,
                                      resposta.tokenSocial);
}

QCoro::Task<> EstadoDoApp::entrarComPasskey(RespostaDeSessao sessao, QByteArray chave)
{
    // Signing in again from an open or locked vault must bring back the same account: another
    // account's session would otherwise replace this one's under the user's feet.
    if ((fase_ == Fase::aberto || fase_ == Fase::bloqueado) && conta_ && conta_->id != sessao.conta.id)
        throw ErroDeEntrada::contaDiferente();

    api_->guardarSessao(sessao);
    definirSecoesLiberadas(true);
    definirPrecisaEntrarDeNovo(false);
    if (mesmoCofre(sessao.conta, chave)) {
        co_await manterCofreAberto(sessao.conta);
        co_return;
    }
    const Fase antes = fase_;
    CopiaDoCofre::apagar();
    abrirCofre(sessao.conta, chave, true);
    if (antes == Fase::semConta)
        iniciarOfertaDeProtecao();
}
