#include "plataforma/Padroes.h"

#include "plataforma/ArquivoAtomico.h"
#include "plataforma/Conteiner.h"
#include "plataforma/TravaDeArquivo.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

#include <cmath>
#include <functional>

namespace {

const QString chaveDosDados = QStringLiteral("dados");

QJsonValue valorGuardado(const QString &caminho, const QString &chave)
{
    const auto suite = ArquivoAtomico::lerObjetoJSON(caminho);
    return suite ? suite->value(chave) : QJsonValue(QJsonValue::Undefined);
}

bool alterar(const QString &caminho, const std::function<void(QJsonObject &)> &mudanca)
{
    const TravaDeArquivo trava(caminho);
    if (!trava.travada())
        return false;
    auto suite = ArquivoAtomico::lerObjetoJSON(caminho);
    if (!suite)
        return false; // never replace a file we could not read
    const QJsonObject antes = *suite;
    mudanca(*suite);
    if (*suite == antes && (QFileInfo::exists(caminho) || suite->isEmpty()))
        return true;
    return ArquivoAtomico::gravar(caminho, QJsonDocument(*suite).toJson(QJsonDocument::Compact));
}

} // namespace

Padroes::Padroes(QString caminhoDoArquivo) : caminho_(std::move(caminhoDoArquivo)) {}

std::optional<Padroes> Padroes::doGrupo(const QString &grupo)
{
    const auto pasta = Conteiner::preferencias(grupo);
    if (!pasta)
        return std::nullopt;
    return Padroes(*pasta + QLatin1Char('/') + grupo + QStringLiteral(".json"));
}

Padroes Padroes::padrao()
{
    const QString pasta = Conteiner::pastaDeConfiguracao() + QStringLiteral("/corvane");
    // A failure shows up later as writes that return false.
    (void)ArquivoAtomico::criarPastaProtegida(pasta);
    return Padroes(pasta + QStringLiteral("/padroes.json"));
}

bool Padroes::contem(const QString &chave) const
{
    return !valorGuardado(caminho_, chave).isUndefined();
}

std::optional<qint64> Padroes::inteiro(const QString &chave) const
{
    const QJsonValue valor = valorGuardado(caminho_, chave);
    if (!valor.isDouble())
        return std::nullopt;
    // Integers come back from the parser exactly; a number with a fraction is not an integer.
    const QVariant variante = valor.toVariant();
    if (variante.typeId() == QMetaType::LongLong)
        return variante.toLongLong();
    const double numero = valor.toDouble();
    if (std::isfinite(numero) && std::trunc(numero) == numero && std::fabs(numero) < 9007199254740992.0)
        return static_cast<qint64>(numero);
    return std::nullopt;
}

std::optional<bool> Padroes::logico(const QString &chave) const
{
    const QJsonValue valor = valorGuardado(caminho_, chave);
    if (!valor.isBool())
        return std::nullopt;
    return valor.toBool();
}

std::optional<QString> Padroes::texto(const QString &chave) const
{
    const QJsonValue valor = valorGuardado(caminho_, chave);
    if (!valor.isString())
        return std::nullopt;
    return valor.toString();
}

std::optional<QByteArray> Padroes::dados(const QString &chave) const
{
    const QJsonValue valor = valorGuardado(caminho_, chave);
    if (!valor.isObject())
        return std::nullopt;
    const QJsonObject objeto = valor.toObject();
    if (objeto.size() != 1 || !objeto.value(chaveDosDados).isString())
        return std::nullopt;
    auto decodificado = QByteArray::fromBase64Encoding(objeto.value(chaveDosDados).toString().toLatin1(),
                                                      QByteArray::AbortOnBase64DecodingErrors);
    if (!decodificado)
        return std::nullopt;
    return *decodificado;
}

std::optional<QStringList> Padroes::listaDeTextos(const QString &chave) const
{
    const QJsonValue valor = valorGuardado(caminho_, chave);
    if (!valor.isArray())
        return std::nullopt;
    QStringList lista;
    for (const QJsonValue &elemento : valor.toArray()) {
        if (!elemento.isString())
            return std::nullopt;
        lista.append(elemento.toString());
    }
    return lista;
}

bool Padroes::definirInteiro(const QString &chave, qint64 valor)
{
    return alterar(caminho_, [&](QJsonObject &suite) { suite.insert(chave, valor); });
}

bool Padroes::definirLogico(const QString &chave, bool valor)
{
    return alterar(caminho_, [&](QJsonObject &suite) { suite.insert(chave, valor); });
}

bool Padroes::definirTexto(const QString &chave, const QString &valor)
{
    return alterar(caminho_, [&](QJsonObject &suite) { suite.insert(chave, valor); });
}

bool Padroes::definirDados(const QString &chave, const QByteArray &valor)
{
    const QJsonObject envolto{{chaveDosDados, QString::fromLatin1(valor.toBase64())}};
    return alterar(caminho_, [&](QJsonObject &suite) { suite.insert(chave, envolto); });
}

bool Padroes::definirListaDeTextos(const QString &chave, const QStringList &valor)
{
    return alterar(caminho_, [&](QJsonObject &suite) { suite.insert(chave, QJsonArray::fromStringList(valor)); });
}

bool Padroes::remover(const QString &chave)
{
    return alterar(caminho_, [&](QJsonObject &suite) { suite.remove(chave); });
}

bool Padroes::removerTudo()
{
    const TravaDeArquivo trava(caminho_);
    return !QFileInfo::exists(caminho_) || QFile::remove(caminho_);
}
