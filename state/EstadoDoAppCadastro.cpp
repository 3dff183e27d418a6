// Account creation: the e-mail confirmation, the keys generated on this computer, the account
// created with one request, and the vault opened once the recovery code has been shown.
#include "state/EstadoDoApp.h"

#include "core/CopiaDoCofre.h"
#include "state/ForaDoPrincipal.h"

namespace {

const QString criandoOCofre = QStringLiteral("Criando seu cofre");

} // namespace

QCoro::Task<qint64> EstadoDoApp::pedirCodigoDeEmail(QString email)
{
    QString normalizado = normalizarEmail(email);
    const RespostaDoCodigoDeEmail resposta = co_await api_->pedirCodigoDeEmail(std::move(normalizado));
    co_return resposta.reenviarEm;
}

QCoro::Task<QString> EstadoDoApp::conferirCodigoDeEmail(QString email, QString codigo)
{
    QString normalizado = normalizarEmail(email);
    const RespostaDaConferenciaDoEmail resposta =
        co_await api_->conferirCodigoDeEmail(std::move(normalizado), std::move(codigo));
    co_return resposta.comprovanteDeEmail;
}

QCoro::Task<QString> EstadoDoApp::criarConta(QString nome, QString email, QString senha,
                                             std::optional<QString> tokenSocial,
                                             std::optional<QString> comprovanteDeEmail)
{
    std::optional<Cadastro> cadastro;
    {
        const Sobreposicao sobreposicao(
            *this, Trabalho{criandoOCofre, QStringLiteral("Gerando as chaves que só você vai ter.")});
        const QFuture<Desfecho<Cadastro>> futuro =
            foraDoPrincipal([email, senha] { return gerarCadastro(email, senha); });
        cadastro = resultadoDe(co_await futuro);
    }

    CorpoDeCadastro corpo;
    if (tokenSocial) {
        corpo.tokenSocial = tokenSocial;
    } else {
        corpo.email = cadastro->pedido.email;
        corpo.comprovanteDeEmail = comprovanteDeEmail;
    }
    corpo.nome = nome.trimmed();
    corpo.sal = cadastro->pedido.sal;
    corpo.kdf = cadastro->pedido.kdf;
    corpo.prova = cadastro->pedido.prova;
    corpo.chaveDoCofreProtegida = cadastro->pedido.chaveDoCofreProtegida;
    corpo.chaveDoCofreRecuperacao = cadastro->pedido.chaveDoCofreRecuperacao;
    corpo.provaDeRecuperacao = cadastro->pedido.provaDeRecuperacao;
    corpo.dispositivo = dispositivo_;

    std::optional<RespostaDeSessao> resposta;
    {
        const Sobreposicao sobreposicao(*this, Trabalho{criandoOCofre, QStringLiteral("Guardando a versão cifrada.")});
        resposta = co_await api_->cadastrar(std::move(corpo));
    }

    api_->guardarSessao(*resposta);
    CopiaDoCofre::apagar();
    definirConta(resposta->conta);
    definirCofreProntoParaAbrir(CofrePronto{resposta->conta, cadastro->chaveDoCofre});
    co_return cadastro->codigoDeRecuperacao;
}

void EstadoDoApp::abrirCofreNovo()
{
    if (!cofreProntoParaAbrir_)
        return;
    const CofrePronto pronto = *cofreProntoParaAbrir_;
    definirCofreProntoParaAbrir(std::nullopt);
    definirSecoesLiberadas(true);
    definirPrecisaEntrarDeNovo(false);
    abrirCofre(pronto.conta, pronto.chave, true);
    iniciarOfertaDeProtecao();
}
