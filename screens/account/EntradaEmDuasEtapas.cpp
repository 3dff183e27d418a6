#include "EntradaEmDuasEtapas.h"

#include "NavegacaoDaConta.h"
#include "app/MensagemDoErro.h"
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

void EntradaEmDuasEtapas::definirSenha(const QString &senha)
{
    if (senha_ == senha)
        return;
    senha_ = senha;
    emit senhaMudou();
}

void EntradaEmDuasEtapas::definirCodigo(const QString &codigo)
{
    if (codigo_ == codigo)
        return;
    codigo_ = codigo;
    emit codigoMudou();
}

void EntradaEmDuasEtapas::definirPedeCodigo(bool valor)
{
    if (pedeCodigo_ == valor)
        return;
    pedeCodigo_ = valor;
    emit pedeCodigoMudou();
}

void EntradaEmDuasEtapas::definirErro(const QString &valor)
{
    if (erro_ == valor)
        return;
    erro_ = valor;
    emit erroMudou();
}

void EntradaEmDuasEtapas::definirEnviando(bool valor)
{
    if (enviando_ == valor)
        return;
    enviando_ = valor;
    emit enviandoMudou();
}

bool EntradaEmDuasEtapas::pronto() const
{
    if (pedeCodigo_)
        return digitosDoCodigo(codigo_).pronto();
    return prontoNaEtapaDaSenha();
}

QString EntradaEmDuasEtapas::titulo() const
{
    return pedeCodigo_ ? QStringLiteral("Código do autenticador") : tituloNaEtapaDaSenha();
}

QString EntradaEmDuasEtapas::texto() const
{
    return pedeCodigo_ ? QStringLiteral("Digite o código de seis números do seu app autenticador.") : QString();
}

QString EntradaEmDuasEtapas::tituloDoBotao() const
{
    return pedeCodigo_ ? QStringLiteral("Confirmar") : QStringLiteral("Entrar");
}

void EntradaEmDuasEtapas::enviar()
{
    if (!pronto() || enviando_ || !estado_)
        return;
    definirEnviando(true);
    definirErro(QString());
    (void)submeter(QPointer<EntradaEmDuasEtapas>(this));
}

QCoro::Task<> EntradaEmDuasEtapas::submeter(QPointer<EntradaEmDuasEtapas> eu)
{
    const QPointer<EstadoDoApp> estado = eu->estado_;
    const bool comCodigo = eu->pedeCodigo_;
    const std::optional<QString> codigo =
        comCodigo ? std::optional<QString>(digitosDoCodigo(eu->codigo_).enviados) : std::nullopt;
    const bool sobreposicao = comCodigo && eu->pendente_ && eu->sobreposicaoNoCodigo();
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
        if (eu)
            eu->falhou(erro);
    }
}

void EntradaEmDuasEtapas::falhou(const std::exception &erro)
{
    const auto *entrada = dynamic_cast<const ErroDeEntrada *>(&erro);
    if (entrada && entrada->caso() == ErroDeEntrada::Caso::autenticadorNecessario) {
        // The next press sends the code with the same pending sign-in.
        definirPedeCodigo(true);
    } else {
        if (!pedeCodigo_) {
            pendente_.reset();
            definirSenha(QString());
        }
        definirCodigo(QString());
        definirErro(mensagemDoErro(erro));
    }
    definirEnviando(false);
}
