#include "CriacaoDeConta.h"

#include "ForcaDaSenha.h"
#include "core/Aparar.h"
#include "core/Configuracao.h"
#include "screens/comum/AreaDeTransferencia.h"
#include "screens/comum/MensagemDoErro.h"
#include "screens/comum/TiposNaTela.h"
#include "servicos/TextosDoComputador.h"
#include "state/Cadastro.h"
#include "state/EstadoDoApp.h"
#include "state/RegrasDoFormulario.h"

#include <exception>

namespace {

const QString simboloDeConfirmado = QStringLiteral("checkmark.circle.fill");

// A page under the site's address, as a path component appended to it.
QUrl paginaDoSite(const QString &pagina)
{
    std::optional<QUrl> site = urlDoSite();
    if (!site)
        return {};
    QString caminho = site->path();
    if (!caminho.endsWith(QLatin1Char('/')))
        caminho += QLatin1Char('/');
    site->setPath(caminho + pagina);
    return *site;
}

} // namespace

CriacaoDeConta::CriacaoDeConta(QObject *pai) : QObject(pai)
{
    // Every input of the enabled rules announces one common change.
    for (auto sinal : {&CriacaoDeConta::nomeMudou, &CriacaoDeConta::emailMudou, &CriacaoDeConta::codigoDoEmailMudou,
                       &CriacaoDeConta::senhaMudou, &CriacaoDeConta::confirmacaoMudou,
                       &CriacaoDeConta::enviandoMudou})
        connect(this, sinal, this, &CriacaoDeConta::podeMudou);
}

void CriacaoDeConta::definirEstado(EstadoDoApp *estado)
{
    if (estado_ == estado)
        return;
    estado_ = estado;
    emit estadoMudou();
}

QVariant CriacaoDeConta::socialParaQml() const
{
    return social_ ? QVariant::fromValue(*social_) : QVariant();
}

void CriacaoDeConta::definirSocial(const QVariant &social)
{
    std::optional<RespostaSocial> novo;
    // The window's navigation hands the answer over in its QML wrapper.
    if (social.metaType() == QMetaType::fromType<RespostaSocial>())
        novo = social.value<RespostaSocial>();
    else if (social.metaType() == QMetaType::fromType<RespostaSocialNaTela>())
        novo = social.value<RespostaSocialNaTela>().resposta;
    if (novo == social_)
        return;
    social_ = std::move(novo);
    emit socialMudou();
}

QString CriacaoDeConta::nomeDaEtapa() const
{
    switch (etapa_) {
    case Etapa::dados:
        return QStringLiteral("dados");
    case Etapa::email:
        return QStringLiteral("email");
    case Etapa::senha:
        return QStringLiteral("senha");
    case Etapa::codigo:
        return QStringLiteral("codigo");
    }
    return {};
}

void CriacaoDeConta::definirNome(const QString &valor)
{
    if (nome_ == valor)
        return;
    nome_ = valor;
    emit nomeMudou();
}

void CriacaoDeConta::definirEmail(const QString &valor)
{
    if (email_ == valor)
        return;
    email_ = valor;
    emit emailMudou();
}

QString CriacaoDeConta::emailNormalizado() const
{
    return normalizarEmail(email_);
}

void CriacaoDeConta::definirCodigoDoEmail(const QString &valor)
{
    if (codigoDoEmail_ == valor)
        return;
    codigoDoEmail_ = valor;
    emit codigoDoEmailMudou();
}

void CriacaoDeConta::definirSenha(const QString &valor)
{
    if (senha_ == valor)
        return;
    senha_ = valor;
    emit senhaMudou();
}

void CriacaoDeConta::definirConfirmacao(const QString &valor)
{
    if (confirmacao_ == valor)
        return;
    confirmacao_ = valor;
    emit confirmacaoMudou();
}

QStringList CriacaoDeConta::gruposDoCodigo() const
{
    if (codigoDeRecuperacao_.isEmpty())
        return {};
    return codigoDeRecuperacao_.split(QLatin1Char('-'));
}

void CriacaoDeConta::definirGuardei(bool valor)
{
    if (guardei_ == valor)
        return;
    guardei_ = valor;
    emit guardeiMudou();
}

bool CriacaoDeConta::podeContinuar() const
{
    return !aparadoDeEspacosETabs(nome_).isEmpty() && email_.contains(QLatin1Char('@')) && !enviando_;
}

bool CriacaoDeConta::podeConfirmarEmail() const
{
    return digitosDoCodigo(codigoDoEmail_).pronto() && !enviando_;
}

int CriacaoDeConta::nivel() const
{
    return ForcaDaSenha::nivel(senha_);
}

bool CriacaoDeConta::senhasDiferentes() const
{
    return !confirmacao_.isEmpty() && confirmacao_ != senha_;
}

bool CriacaoDeConta::podeCriar() const
{
    return nivel() >= ForcaDaSenha::nivelMinimo && senha_ == confirmacao_ && !enviando_;
}

QUrl CriacaoDeConta::enderecoDosTermos()
{
    return paginaDoSite(QStringLiteral("termos"));
}

QUrl CriacaoDeConta::enderecoDaPrivacidade()
{
    return paginaDoSite(QStringLiteral("privacidade"));
}

QString CriacaoDeConta::explicacaoDoCodigo()
{
    return noComputador(
        u"Se você esquecer a senha, só este código abre o cofre. Guarde fora deste Mac, num lugar seguro.");
}

void CriacaoDeConta::aparecer()
{
    if (!social_)
        return;
    definirEmail(social_->email);
    definirNome(social_->nomeSugerido.value_or(QString()));
}

void CriacaoDeConta::voltar()
{
    definirErro(QString());
    switch (etapa_) {
    case Etapa::dados:
        emit voltarParaEntrar();
        break;
    case Etapa::email:
        definirEtapa(Etapa::dados);
        break;
    case Etapa::senha:
        definirEtapa(social_ ? Etapa::dados : Etapa::email);
        break;
    case Etapa::codigo:
        break;
    }
}

void CriacaoDeConta::continuar()
{
    // The button is disabled then; Return and a direct call obey the same rule.
    if (etapa_ != Etapa::dados || !podeContinuar())
        return;
    (void)continuarAgora();
}

QCoro::Task<> CriacaoDeConta::continuarAgora()
{
    definirErro(QString());
    if (social_) {
        definirEtapa(Etapa::senha);
        co_return;
    }
    const QPointer<CriacaoDeConta> vivo(this);
    const bool enviado = co_await pedirCodigo();
    if (vivo && enviado)
        definirEtapa(Etapa::email);
}

void CriacaoDeConta::enviarOutroCodigo()
{
    (void)pedirCodigo();
}

template <typename Pedido>
QCoro::Task<std::optional<typename std::invoke_result_t<Pedido, EstadoDoApp &>::value_type>>
CriacaoDeConta::enviar(const Pedido &pedido, bool limparErro, void (CriacaoDeConta::*antesDoErro)())
{
    const QPointer<EstadoDoApp> estado = estado_;
    if (!estado)
        co_return std::nullopt;
    const QPointer<CriacaoDeConta> vivo(this);
    definirEnviando(true);
    if (limparErro)
        definirErro(QString());
    try {
        co_return co_await pedido(*estado);
    } catch (const std::exception &erro) {
        if (vivo) {
            if (antesDoErro)
                (this->*antesDoErro)();
            definirErro(mensagemDoErro(erro));
            definirEnviando(false);
            emit focoPedido();
        }
    }
    co_return std::nullopt;
}

QCoro::Task<bool> CriacaoDeConta::pedirCodigo()
{
    const QPointer<EstadoDoApp> estado = estado_;
    const QPointer<CriacaoDeConta> vivo(this);
    const auto pedido = [this](EstadoDoApp &estado) { return estado.pedirCodigoDeEmail(emailNormalizado()); };
    if (!co_await enviar(pedido, false))
        co_return false;
    if (estado)
        estado->avisos()->mostrar(QStringLiteral("Código enviado"), simboloDeConfirmado);
    if (vivo)
        definirEnviando(false);
    co_return true;
}

void CriacaoDeConta::confirmarEmail()
{
    if (etapa_ != Etapa::email || !podeConfirmarEmail())
        return;
    (void)confirmarAgora();
}

QCoro::Task<> CriacaoDeConta::confirmarAgora()
{
    const QPointer<CriacaoDeConta> vivo(this);
    // Digits of any script go as ASCII digits, as in the sign-in form's code step. (Named
    // locals: GCC 12 mishandles temporaries inside a co_await expression.)
    const QString digitos = digitosDoCodigo(QStringView(codigoDoEmail_)).enviados;
    const auto pedido = [this, &digitos](EstadoDoApp &estado) {
        return estado.conferirCodigoDeEmail(emailNormalizado(), digitos);
    };
    const std::optional<QString> comprovante = co_await enviar(pedido, true, &CriacaoDeConta::apagarCodigoDoEmail);
    if (!comprovante || !vivo)
        co_return;
    comprovante_ = *comprovante;
    definirEtapa(Etapa::senha);
    definirEnviando(false);
}

void CriacaoDeConta::criar()
{
    if (etapa_ != Etapa::senha || !podeCriar())
        return;
    (void)criarAgora();
}

QCoro::Task<> CriacaoDeConta::criarAgora()
{
    const QPointer<CriacaoDeConta> vivo(this);
    const std::optional<QString> token = social_ ? std::optional<QString>(social_->tokenSocial) : std::nullopt;
    const auto pedido = [this, &token](EstadoDoApp &estado) {
        return estado.criarConta(nome_, emailNormalizado(), senha_, token, comprovante_);
    };
    const std::optional<QString> codigo = co_await enviar(pedido, true);
    if (!codigo || !vivo)
        co_return;
    definirCodigoDeRecuperacao(*codigo);
    definirSenha(QString());
    definirConfirmacao(QString());
    definirEtapa(Etapa::codigo);
    definirEnviando(false);
}

void CriacaoDeConta::copiarCodigo()
{
    if (etapa_ != Etapa::codigo)
        return;
    copiarProtegido(codigoDeRecuperacao_);
    if (!estado_)
        return;
    CentralDeAvisos *avisos = estado_->avisos();
    avisos->definirContadorDeCopias(avisos->contadorDeCopias() + 1);
    avisos->mostrar(QStringLiteral("Código de recuperação copiado"), simboloDeConfirmado);
}

void CriacaoDeConta::abrirCofre()
{
    if (etapa_ != Etapa::codigo || !guardei_ || !estado_)
        return;
    estado_->abrirCofreNovo();
}

void CriacaoDeConta::definirEtapa(Etapa valor)
{
    if (etapa_ == valor)
        return;
    etapa_ = valor;
    emit etapaMudou();
}

void CriacaoDeConta::definirErro(const QString &valor)
{
    if (erro_ == valor)
        return;
    erro_ = valor;
    emit erroMudou();
}

void CriacaoDeConta::definirEnviando(bool valor)
{
    if (enviando_ == valor)
        return;
    enviando_ = valor;
    emit enviandoMudou();
}

void CriacaoDeConta::definirCodigoDeRecuperacao(const QString &valor)
{
    if (codigoDeRecuperacao_ == valor)
        return;
    codigoDeRecuperacao_ = valor;
    emit codigoDeRecuperacaoMudou();
}
