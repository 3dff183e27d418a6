#include "EntradaEmDuasEtapas.h"

#include "NavegacaoDaConta.h"
#include "state/EstadoDoApp.h"

namespace {

const Trabalho conferindoOCodigo{QStringLiteral("Entrando"), QStringLiteral("Conferindo o código.")};

} // namespace

EntradaEmDuasEtapas::EntradaEmDuasEtapas(QObject *pai) : QObject(pai)
{
    connect(this, &EntradaEmDuasEtapas::senhaMudou, this, &EntradaEmDuasEtapas::prontoMudou);
    connect(this, &EntradaEmDuasEtapas::codigoMudou, this, &EntradaEmDuasEtapas::prontoMudou);
    connect(this, &EntradaEmDuasEtapas::pedeCodigoMudou, this, &EntradaEmDuasEtapas::prontoMudou);
    connect(this, &EntradaEmDuasEtapas::pedeCodigoMudou, this, &EntradaEmDuasEtapas::textoMudou);
}

void EntradaEmDuasEtapas::definirEstado(EstadoDoApp *estado)
{
    if (estado_ == estado)
        return;
    estado_ = estado;
    emit estadoMudou();
}

void EntradaEmDuasEtapas::definirTela(NavegacaoDaConta *tela)
{
    if (tela_ == tela)
        return;
    tela_ = tela;
    emit telaMudou();
}

bool EntradaEmDuasEtapas::pronto() const
{
    if (pedeCodigo())
        return codigoPronto();
    return prontoNaEtapaDaSenha();
}

QString EntradaEmDuasEtapas::titulo() const
{
    return pedeCodigo() ? QStringLiteral("Código do autenticador") : tituloNaEtapaDaSenha();
}

QString EntradaEmDuasEtapas::texto() const
{
    return pedeCodigo() ? QStringLiteral("Digite o código de seis números do seu app autenticador.") : QString();
}

QString EntradaEmDuasEtapas::tituloDoBotao() const
{
    return pedeCodigo() ? QStringLiteral("Confirmar") : QStringLiteral("Entrar");
}

void EntradaEmDuasEtapas::enviar()
{
    if (!pronto() || enviando() || !estado_)
        return;
    definirEnviando(true);
    definirErro(QString());
    (void)submeter(QPointer<EntradaEmDuasEtapas>(this));
}

QCoro::Task<> EntradaEmDuasEtapas::submeter(QPointer<EntradaEmDuasEtapas> eu)
{
    const QPointer<EstadoDoApp> estado = eu->estado_;
    const std::optional<QString> codigo = eu->codigoParaEnviar();
    const bool sobreposicao = codigo && eu->pendente_ && eu->sobreposicaoNoCodigo();
    try {
        std::optional<EntradaPendente> pendente = eu->pendente_;
        if (!pendente) {
            // Without a pending sign-in, the password step runs first, whatever the step shown.
            EntradaPendente preparada = co_await eu->preparar(*estado);
            if (!eu)
                co_return;
            eu->pendente_ = preparada;
            pendente = std::move(preparada);
        }
        if (sobreposicao) {
            estado->definirTrabalhandoPelaTela(conferindoOCodigo);
            try {
                co_await estado->concluirEntrada(*pendente, codigo);
            } catch (const std::exception &) {
                if (estado)
                    estado->definirTrabalhandoPelaTela(std::nullopt);
                throw;
            }
            if (estado)
                estado->definirTrabalhandoPelaTela(std::nullopt);
        } else {
            co_await estado->concluirEntrada(*pendente, codigo);
        }
        if (eu)
            eu->definirEnviando(false);
    } catch (const std::exception &erro) {
        // Every failure is shown (or turns into the code step); none is dropped.
        if (eu) {
            eu->falhouNaEtapa(erro, eu->pedeCodigo(), true);
            eu->definirEnviando(false);
            emit eu->focoPedido();
        }
    }
}
