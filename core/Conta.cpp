#include "core/Conta.h"

#include "core/Aparar.h"

#include <QTextBoundaryFinder>

// ---- Vinculo ----

Vinculo Vinculo::deJSON(const Leitor &leitor)
{
    return {leitor.exigirTexto(QStringLiteral("provedor")), leitor.talvezTexto(QStringLiteral("email"))};
}

Vinculo Vinculo::deJSON(const ValorJSON &valor)
{
    return deJSON(Leitor(valor));
}

ValorJSON Vinculo::paraJSON() const
{
    return Escritor()
        .texto(QStringLiteral("provedor"), provedor)
        .talvezTexto(QStringLiteral("email"), email)
        .valorPronto();
}

size_t qHash(const Vinculo &vinculo, size_t semente)
{
    return qHashMulti(semente, vinculo.provedor, vinculo.email.has_value(), vinculo.email.value_or(QString()));
}

// ---- ParametrosKdf ----

ValorJSON paraJSON(const ParametrosKdf &parametros)
{
    return Escritor()
        .texto(QStringLiteral("algoritmo"), parametros.algoritmo)
        .inteiro(QStringLiteral("iteracoes"), parametros.iteracoes)
        .inteiro(QStringLiteral("memoriaKiB"), parametros.memoriaKiB)
        .inteiro(QStringLiteral("paralelismo"), parametros.paralelismo)
        .valorPronto();
}

ParametrosKdf parametrosKdfDeJSON(const Leitor &leitor)
{
    ParametrosKdf parametros;
    parametros.algoritmo = leitor.exigirTexto(QStringLiteral("algoritmo"));
    parametros.iteracoes = leitor.exigirInteiro<qint64>(QStringLiteral("iteracoes"));
    parametros.memoriaKiB = leitor.exigirInteiro<qint64>(QStringLiteral("memoriaKiB"));
    parametros.paralelismo = leitor.exigirInteiro<qint64>(QStringLiteral("paralelismo"));
    return parametros;
}

ParametrosKdf parametrosKdfDeJSON(const ValorJSON &valor)
{
    return parametrosKdfDeJSON(Leitor(valor));
}

// ---- Conta ----

QString Conta::primeiroNome() const
{
    const QString nomeAparado = aparadoDeEspacosETabs(nome);
    const QStringList pedacos = nomeAparado.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return pedacos.isEmpty() ? nomeAparado : pedacos.first();
}

QString Conta::inicial() const
{
    // The stored name, untrimmed, when it has anything besides spaces and tabs; else the e-mail.
    const QString &origem = aparadoDeEspacosETabs(nome).isEmpty() ? email : nome;
    if (origem.isEmpty())
        return QStringLiteral("?");
    QTextBoundaryFinder grafemas(QTextBoundaryFinder::Grapheme, origem);
    const qsizetype fim = grafemas.toNextBoundary();
    return origem.left(fim > 0 ? fim : origem.size()).toUpper();
}

Conta Conta::deJSON(const Leitor &leitor)
{
    Conta conta;
    conta.id = leitor.exigirTexto(QStringLiteral("id"));
    conta.email = leitor.exigirTexto(QStringLiteral("email"));
    conta.nome = leitor.exigirTexto(QStringLiteral("nome"));
    conta.sal = leitor.exigirTexto(QStringLiteral("sal"));
    conta.kdf = parametrosKdfDeJSON(leitor.exigirObjeto(QStringLiteral("kdf")));
    conta.chaveDoCofreProtegida = leitor.exigirTexto(QStringLiteral("chaveDoCofreProtegida"));
    conta.autenticadorLigado = leitor.exigirFlag(QStringLiteral("autenticadorLigado"));
    conta.temSenha = leitor.talvezFlag(QStringLiteral("temSenha"));
    conta.criadaEm = leitor.exigirTexto(QStringLiteral("criadaEm"));
    conta.vinculos = leitor.talvezLista(QStringLiteral("vinculos"),
                                        [](const Leitor &elemento) { return Vinculo::deJSON(elemento); });
    return conta;
}

Conta Conta::deJSON(const ValorJSON &valor)
{
    return deJSON(Leitor(valor));
}

ValorJSON Conta::paraJSON() const
{
    return Escritor()
        .texto(QStringLiteral("id"), id)
        .texto(QStringLiteral("email"), email)
        .texto(QStringLiteral("nome"), nome)
        .texto(QStringLiteral("sal"), sal)
        .valor(QStringLiteral("kdf"), ::paraJSON(kdf))
        .texto(QStringLiteral("chaveDoCofreProtegida"), chaveDoCofreProtegida)
        .flag(QStringLiteral("autenticadorLigado"), autenticadorLigado)
        .talvezFlag(QStringLiteral("temSenha"), temSenha)
        .texto(QStringLiteral("criadaEm"), criadaEm)
        .talvezLista(QStringLiteral("vinculos"), vinculos, [](const Vinculo &v) { return v.paraJSON(); })
        .valorPronto();
}
