#include "ExemplosDaVitrine.h"

#include "core/ErroDeCripto.h"
#include "core/Totp.h"

namespace {

DadosDeCodigo exemplo(const QString &emissor, const QString &conta, const QString &segredo)
{
    return DadosDeCodigo(ObjetoJSON({
        {QStringLiteral("emissor"), ValorJSON::texto(emissor)},
        {QStringLiteral("conta"), ValorJSON::texto(conta)},
        {QStringLiteral("segredo"), ValorJSON::texto(segredo)},
        {QStringLiteral("algoritmo"), ValorJSON::texto(QStringLiteral("SHA1"))},
        {QStringLiteral("digitos"), ValorJSON::inteiro(6)},
        {QStringLiteral("periodo"), ValorJSON::inteiro(30)},
        {QStringLiteral("favorito"), ValorJSON::booleano(false)},
        {QStringLiteral("notas"), ValorJSON::texto(QString())},
    }));
}

} // namespace

const QList<DadosDeCodigo> &exemplosDaVitrine()
{
    static const QList<DadosDeCodigo> exemplos{
        exemplo(QStringLiteral("GitHub"), QStringLiteral("bia.motta"), QStringLiteral("QF7LWNZ4RT2KDHXB")),
        exemplo(QStringLiteral("Google"), QStringLiteral("bia.motta@gmail.com"), QStringLiteral("TP3VDGH6LWQZN5AC")),
        exemplo(QStringLiteral("Nubank"), QStringLiteral("Conta e cartão"), QStringLiteral("HC4RXYMJ2SVKPE7G")),
    };
    return exemplos;
}

LeituraDoCartao lerCartao(const DadosDeCodigo &dados, const QDateTime &agora)
{
    LeituraDoCartao leitura;
    leitura.titulo = dados.titulo();
    leitura.conta = dados.json.texto(QStringLiteral("conta"));
    // The same readings as a vault card: a non-text secret is empty, an unknown algorithm is
    // SHA-1, digits default to 6 and the period to 30 (at least 1).
    const ParametrosTotp parametros = dados.parametros();
    leitura.periodo = parametros.periodo;
    leitura.segundosRestantes = Totp::segundosRestantes(parametros.periodo, agora);
    try {
        leitura.codigo = Totp::formatarParaExibir(parametros.codigo(agora));
    } catch (const ErroDeCripto &) {
        // A sample that cannot make a code shows an empty code line; it is decoration.
        leitura.codigo.clear();
    }
    return leitura;
}

LeituraDoExemplo::LeituraDoExemplo(QObject *parent) : QObject(parent)
{
    ler();
}

void LeituraDoExemplo::definirExemplo(int exemplo)
{
    if (exemplo == exemplo_)
        return;
    exemplo_ = exemplo;
    ler();
    emit exemploMudou();
}

void LeituraDoExemplo::definirAgora(const QDateTime &agora)
{
    if (agora == agora_)
        return;
    agora_ = agora;
    ler();
    emit agoraMudou();
}

void LeituraDoExemplo::ler()
{
    const QList<DadosDeCodigo> &exemplos = exemplosDaVitrine();
    const LeituraDoCartao antes = leitura_;
    leitura_ = exemplo_ >= 0 && exemplo_ < exemplos.size() ? lerCartao(exemplos[exemplo_], agora_) : LeituraDoCartao{};
    // The new-period flag goes first, so the ring knows not to animate the refill.
    if ((antes.segundosRestantes == antes.periodo) != periodoNovo())
        emit periodoNovoMudou();
    if (antes.codigo != leitura_.codigo)
        emit codigoMudou();
    if (antes.segundosRestantes != leitura_.segundosRestantes || antes.periodo != leitura_.periodo)
        emit segundosMudaram();
}
