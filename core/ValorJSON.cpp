#include "core/ValorJSON.h"

#include <cmath>

// ---- ObjetoJSON ----

ObjetoJSON::ObjetoJSON(QList<ParJSON> pares) : pares(std::move(pares)) {}

namespace {

bool semComposicao(const QString &texto);

// The position of the first pair whose key is canonically equivalent to `chave`, or -1. A key
// handed over as a handle's own text is found by address; a plain key's text is checked for
// composing code units once, not once per pair.
qsizetype posicaoDe(const QList<ParJSON> &pares, const QString &chave)
{
    int simples = -1; // not yet known
    for (qsizetype i = 0; i < pares.size(); ++i) {
        const ChaveJSON &outra = pares[i].chave;
        const QString &texto = outra.texto();
        if (&texto == &chave || texto == chave)
            return i;
        if (outra.simples()) {
            if (simples < 0)
                simples = semComposicao(chave) ? 1 : 0;
            if (simples)
                continue;
        }
        if (ValorJSON::textosEquivalentes(texto, chave))
            return i;
    }
    return -1;
}

} // namespace

const ValorJSON *ObjetoJSON::valor(const QString &chave) const
{
    const qsizetype i = posicaoDe(pares, chave);
    return i < 0 ? nullptr : &pares[i].valor;
}

void ObjetoJSON::definir(const QString &chave, std::optional<ValorJSON> valor)
{
    const qsizetype i = posicaoDe(pares, chave);
    if (i >= 0) {
        if (valor)
            pares[i].valor = std::move(*valor);
        else
            pares.removeAt(i);
    } else if (valor) {
        pares.append(ParJSON{chave, std::move(*valor)});
    }
}

QString ObjetoJSON::texto(const QString &chave) const
{
    const ValorJSON *v = valor(chave);
    const QString *texto = v ? v->comoTexto() : nullptr;
    return texto ? *texto : QString();
}

qint64 ObjetoJSON::inteiro(const QString &chave, qint64 padrao) const
{
    const ValorJSON *v = valor(chave);
    return (v ? v->comoInteiro() : std::nullopt).value_or(padrao);
}

bool ObjetoJSON::booleano(const QString &chave) const
{
    const ValorJSON *v = valor(chave);
    return (v ? v->comoBooleano() : std::nullopt).value_or(false);
}

QList<QString> ObjetoJSON::sites() const
{
    QList<QString> textos;
    const ValorJSON *v = valor(QStringLiteral("sites"));
    const QList<ValorJSON> *lista = v ? v->comoLista() : nullptr;
    if (!lista)
        return textos;
    for (const ValorJSON &elemento : *lista) {
        if (const QString *texto = elemento.comoTexto())
            textos.append(*texto);
    }
    return textos;
}

bool operator==(const ObjetoJSON &a, const ObjetoJSON &b)
{
    return a.pares == b.pares;
}

// ---- ValorJSON ----

ValorJSON ValorJSON::booleano(bool valor)
{
    ValorJSON v;
    v.conteudo_ = valor;
    return v;
}

ValorJSON ValorJSON::numero(double valor)
{
    ValorJSON v;
    v.conteudo_ = Numero{valor, std::nullopt};
    return v;
}

ValorJSON ValorJSON::inteiro(qint64 valor)
{
    ValorJSON v;
    v.conteudo_ = Numero{static_cast<double>(valor), valor};
    return v;
}

ValorJSON ValorJSON::texto(QString valor)
{
    ValorJSON v;
    v.conteudo_ = std::move(valor);
    return v;
}

ValorJSON ValorJSON::lista(QList<ValorJSON> valores)
{
    ValorJSON v;
    v.conteudo_ = std::move(valores);
    return v;
}

ValorJSON ValorJSON::objeto(ObjetoJSON objeto)
{
    ValorJSON v;
    v.conteudo_ = std::move(objeto);
    return v;
}

std::optional<bool> ValorJSON::comoBooleano() const
{
    if (const bool *b = std::get_if<bool>(&conteudo_))
        return *b;
    return std::nullopt;
}

std::optional<double> ValorJSON::comoNumero() const
{
    if (const Numero *n = std::get_if<Numero>(&conteudo_))
        return n->valor;
    return std::nullopt;
}

const QString *ValorJSON::comoTexto() const { return std::get_if<QString>(&conteudo_); }
const QList<ValorJSON> *ValorJSON::comoLista() const { return std::get_if<QList<ValorJSON>>(&conteudo_); }
QList<ValorJSON> *ValorJSON::comoLista() { return std::get_if<QList<ValorJSON>>(&conteudo_); }
const ObjetoJSON *ValorJSON::comoObjeto() const { return std::get_if<ObjetoJSON>(&conteudo_); }
ObjetoJSON *ValorJSON::comoObjeto() { return std::get_if<ObjetoJSON>(&conteudo_); }

std::optional<qint64> ValorJSON::comoInteiro() const
{
    const auto numero = comoNumero();
    return numero ? truncarParaInteiro(*numero) : std::nullopt;
}

std::optional<qint64> ValorJSON::comoInteiroExato() const
{
    const Numero *n = std::get_if<Numero>(&conteudo_);
    if (!n)
        return std::nullopt;
    if (n->exato)
        return n->exato;
    const auto inteiro = truncarParaInteiro(n->valor);
    if (!inteiro || static_cast<double>(*inteiro) != n->valor)
        return std::nullopt;
    return inteiro;
}

std::optional<qint64> ValorJSON::truncarParaInteiro(double valor)
{
    // Converting a double whose integral part does not fit is undefined behaviour, so the range
    // is checked first: [-2^63, 2^63) holds exactly the integral parts that fit (NaN fails both).
    const double parteInteira = std::trunc(valor);
    constexpr double limite = 9223372036854775808.0; // 2^63, exact in a double
    if (!(parteInteira >= -limite && parteInteira < limite))
        return std::nullopt;
    return static_cast<qint64>(parteInteira);
}

namespace {

// Every code unit below U+0300 is its own NFC form and never combines with a neighbour, so two
// such texts are canonically equivalent only when identical.
bool semComposicao(const QString &texto)
{
    for (const QChar c : texto) {
        if (c.unicode() >= 0x0300)
            return false;
    }
    return true;
}

} // namespace

bool ValorJSON::textosEquivalentes(const QString &a, const QString &b)
{
    if (a == b)
        return true;
    if (semComposicao(a) && semComposicao(b))
        return false;
    return a.normalized(QString::NormalizationForm_C) == b.normalized(QString::NormalizationForm_C);
}

bool operator==(const ValorJSON &a, const ValorJSON &b)
{
    if (a.conteudo_.index() != b.conteudo_.index())
        return false;
    switch (a.caso()) {
    case ValorJSON::Caso::booleano:
        return std::get<bool>(a.conteudo_) == std::get<bool>(b.conteudo_);
    case ValorJSON::Caso::numero:
    {
        const auto &x = std::get<ValorJSON::Numero>(a.conteudo_);
        const auto &y = std::get<ValorJSON::Numero>(b.conteudo_);
        return x.exato && y.exato ? *x.exato == *y.exato : x.valor == y.valor;
    }
    case ValorJSON::Caso::texto:
        return ValorJSON::textosEquivalentes(std::get<QString>(a.conteudo_), std::get<QString>(b.conteudo_));
    case ValorJSON::Caso::lista:
        return std::get<QList<ValorJSON>>(a.conteudo_) == std::get<QList<ValorJSON>>(b.conteudo_);
    case ValorJSON::Caso::objeto:
        return std::get<ObjetoJSON>(a.conteudo_) == std::get<ObjetoJSON>(b.conteudo_);
    case ValorJSON::Caso::nulo:
        return true;
    }
    return false;
}
