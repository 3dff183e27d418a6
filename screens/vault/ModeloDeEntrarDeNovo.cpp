#include "ModeloDeEntrarDeNovo.h"

#include "RegrasDaSincronia.h"
#include "screens/comum/MensagemDoErro.h"
#include "servicos/TextosDoComputador.h"
#include "state/EntradaPeloSafari.h"
#include "state/ErroDeEntradaSocial.h"

namespace {

const QString falhaDaPasskey = QStringLiteral("Não foi possível usar a passkey. Tente de novo.");

} // namespace

ModeloDeEntrarDeNovo::ModeloDeEntrarDeNovo(QObject *pai) : QObject(pai)
{
    for (auto sinal : {&ModeloDeEntrarDeNovo::senhaMudou, &ModeloDeEntrarDeNovo::codigoMudou,
                       &ModeloDeEntrarDeNovo::pedeCodigoMudou, &ModeloDeEntrarDeNovo::enviandoMudou,
                       &ModeloDeEntrarDeNovo::estadoMudou})
        connect(this, sinal, this, &ModeloDeEntrarDeNovo::podeEnviarMudou);
    // The title and the explanation follow the step and the account.
    connect(this, &ModeloDeEntrarDeNovo::pedeCodigoMudou, this, &ModeloDeEntrarDeNovo::textosMudaram);
    connect(this, &ModeloDeEntrarDeNovo::estadoMudou, this, &ModeloDeEntrarDeNovo::textosMudaram);
}

void ModeloDeEntrarDeNovo::definirEstado(EstadoDoApp *estado)
{
    if (estado_ == estado)
        return;
    if (estado_)
        disconnect(estado_, nullptr, this, nullptr);
    estado_ = estado;
    if (estado_)
        connect(estado_, &EstadoDoApp::contaMudou, this, &ModeloDeEntrarDeNovo::estadoMudou);
    emit estadoMudou();
}

void ModeloDeEntrarDeNovo::definirNoSafari(bool valor)
{
    if (noSafari_ == valor)
        return;
    noSafari_ = valor;
    emit noSafariMudou();
}

bool ModeloDeEntrarDeNovo::somentePasskey() const
{
    // An account that does not say whether it has a password counts as one that has.
    return estado_ && estado_->conta() && estado_->conta()->temSenha == std::optional<bool>(false);
}

QString ModeloDeEntrarDeNovo::email() const
{
    return estado_ && estado_->conta() ? estado_->conta()->email : QString();
}

QString ModeloDeEntrarDeNovo::titulo() const
{
    return pedeCodigo() ? QStringLiteral("Código do autenticador") : QStringLiteral("Entre de novo");
}

QString ModeloDeEntrarDeNovo::explicacao() const
{
    if (pedeCodigo())
        return QStringLiteral("Digite os seis números do seu app autenticador.");
    if (somentePasskey())
        return noComputador(
            u"Confirme com a sua passkey no Safari para o Mac abrir e sincronizar tudo o que está na sua conta.");
    return noComputador(
        u"Digite a senha do Corvane ou use a passkey para o Mac abrir e sincronizar tudo o que está na sua conta.");
}

bool ModeloDeEntrarDeNovo::podeEnviar() const
{
    if (enviando() || somentePasskey())
        return false;
    return pedeCodigo() ? codigoPronto() : !senha().isEmpty();
}

std::optional<QDateTime> ModeloDeEntrarDeNovo::ultimaSincronia() const
{
    return estado_ && estado_->cofre() ? estado_->cofre()->ultimaSincronia() : std::nullopt;
}

void ModeloDeEntrarDeNovo::enviar()
{
    if (!estado_ || !estado_->conta() || !podeEnviar())
        return;
    definirEnviando(true);
    definirErro(QString());
    (void)submeter(QPointer<ModeloDeEntrarDeNovo>(this), estado_);
}

void ModeloDeEntrarDeNovo::avisarSucesso(EstadoDoApp &estado, const std::optional<QDateTime> &antes)
{
    Cofre *cofre = estado.cofre();
    const RegrasDaSincronia::AvisoDeEntrada aviso = RegrasDaSincronia::avisoAoEntrarDeNovo(
        antes, cofre ? cofre->ultimaSincronia() : std::nullopt, cofre && cofre->semConexao(),
        cofre && cofre->falhouAoSincronizar());
    estado.avisos()->mostrar(aviso.texto, aviso.simbolo);
}

QCoro::Task<> ModeloDeEntrarDeNovo::submeter(QPointer<ModeloDeEntrarDeNovo> eu, QPointer<EstadoDoApp> estado)
{
    const bool noCodigo = eu->pedeCodigo();
    const std::optional<QDateTime> antes = eu->ultimaSincronia();
    const std::optional<QString> codigo = eu->codigoParaEnviar();
    try {
        std::optional<EntradaPendente> pendente = eu->pendente_;
        if (!pendente) {
            QCoro::Task<EntradaPendente> preparo = estado->prepararEntrada(estado->conta()->email, eu->senha());
            pendente = co_await std::move(preparo);
            if (eu)
                eu->pendente_ = pendente;
        }
        if (!estado)
            co_return;
        QCoro::Task<> entrada = estado->entrarDeNovo(*pendente, codigo);
        co_await std::move(entrada);
    } catch (const std::exception &erro) {
        // Every failure is shown or turns into the code step; none is dropped.
        if (eu) {
            // On the code step a refused code is an error like any other: the proof is kept so
            // the user only types a new code; on the password step everything starts over.
            // Refused or turned into the code step, the step's field takes the keyboard again
            // (the button that was pressed had it).
            eu->falhouNaEtapa(erro, noCodigo, !noCodigo);
            eu->definirEnviando(false);
            emit eu->focoPedido();
        }
        co_return;
    }
    // The sheet may have been closed meanwhile: the toast still tells what happened.
    if (estado)
        avisarSucesso(*estado, antes);
    if (eu) {
        eu->definirEnviando(false);
        emit eu->fechar();
    }
}

void ModeloDeEntrarDeNovo::usarPasskey()
{
    if (!estado_ || noSafari_)
        return;
    definirErro(QString());
    definirNoSafari(true);
    (void)esperarPasskey(QPointer<ModeloDeEntrarDeNovo>(this), estado_);
}

QCoro::Task<> ModeloDeEntrarDeNovo::esperarPasskey(QPointer<ModeloDeEntrarDeNovo> eu, QPointer<EstadoDoApp> estado)
{
    const std::optional<QDateTime> antes = eu->ultimaSincronia();
    QString mensagem;
    try {
        QCoro::Task<EntradaPeloSafari::Resultado> espera =
            EntradaPeloSafari::compartilhada().esperar(QStringLiteral("passkey"), QStringLiteral("entrar/mac"));
        const EntradaPeloSafari::Resultado resultado = co_await std::move(espera);
        if (const EntradaPeloSafari::Resultado::Cofre *cofre = resultado.cofre(); cofre && estado) {
            QCoro::Task<> entrada = estado->entrarComPasskey(cofre->sessao, cofre->chave);
            co_await std::move(entrada);
            if (estado)
                avisarSucesso(*estado, antes);
            if (eu) {
                eu->definirNoSafari(false);
                emit eu->fechar();
            }
            co_return;
        }
        // A provider's answer is not expected here: stay open, say nothing.
    } catch (const ErroDeEntradaSocial &erro) {
        if (erro.caso() != ErroDeEntradaSocial::Caso::cancelado)
            mensagem = falhaDaPasskey;
    } catch (const ErroDeEntrada &erro) {
        // Another account's passkey: the open vault stays as it was.
        mensagem = mensagemDoErro(erro);
    } catch (const std::exception &) {
        mensagem = falhaDaPasskey;
    }
    if (!eu)
        co_return;
    eu->definirErro(mensagem);
    eu->definirNoSafari(false);
}

void ModeloDeEntrarDeNovo::abrirDeNovo()
{
    const EntradaPeloSafari &safari = EntradaPeloSafari::compartilhada();
    if (safari.ultimoEndereco())
        safari.abrirNoSafari(*safari.ultimoEndereco());
}

void ModeloDeEntrarDeNovo::fecharSemEntrar()
{
    EntradaPeloSafari::compartilhada().cancelar();
    emit fechar();
}
