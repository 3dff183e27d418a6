#include "plataforma/CofreDeSegredosEmArquivo.h"

#include "plataforma/ArquivoAtomico.h"
#include "plataforma/Conteiner.h"
#include "plataforma/TravaDeArquivo.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

// File form: {"versao":1,"segredos":[{"servico":…,"conta":…,"grupo":…(optional),"valor":"<base64>"}]}

namespace {

struct Conteudo {
    std::int32_t status = CofreDeSegredos::statusSucesso;
    QJsonArray segredos;
};

// A missing file holds nothing; an unreadable or damaged one is an error, never "empty", so that
// neither a read nor a rewrite takes it for a store without secrets.
Conteudo lerConteudo(const QString &caminho)
{
    if (!QFileInfo::exists(caminho))
        return {};
    const auto bytes = ArquivoAtomico::ler(caminho);
    if (!bytes)
        return {CofreDeSegredos::statusEntradaOuSaida, {}};
    const QJsonDocument documento = QJsonDocument::fromJson(*bytes);
    if (!documento.isObject() || !documento.object().value(QLatin1String("segredos")).isArray())
        return {CofreDeSegredos::statusDadosIlegiveis, {}};
    return {CofreDeSegredos::statusSucesso, documento.object().value(QLatin1String("segredos")).toArray()};
}

bool corresponde(const QJsonValue &valor, const ConsultaDeSegredo &consulta)
{
    const QJsonObject segredo = valor.toObject();
    const QJsonValue grupo = segredo.value(QLatin1String("grupo"));
    const bool mesmoGrupo = consulta.grupo ? (grupo.isString() && grupo.toString() == *consulta.grupo)
                                           : grupo.isUndefined();
    return segredo.value(QLatin1String("servico")).toString() == consulta.servico
        && segredo.value(QLatin1String("conta")).toString() == consulta.conta && mesmoGrupo;
}

std::int32_t escrever(const QString &caminho, const QJsonArray &segredos)
{
    const QJsonObject documento{{QStringLiteral("versao"), 1}, {QStringLiteral("segredos"), segredos}};
    return ArquivoAtomico::gravar(caminho, QJsonDocument(documento).toJson(QJsonDocument::Compact))
        ? CofreDeSegredos::statusSucesso
        : CofreDeSegredos::statusEntradaOuSaida;
}

} // namespace

CofreDeSegredosEmArquivo::CofreDeSegredosEmArquivo() : CofreDeSegredosEmArquivo(caminhoPadrao()) {}

CofreDeSegredosEmArquivo::CofreDeSegredosEmArquivo(QString caminhoDoArquivo) : caminho_(std::move(caminhoDoArquivo)) {}

QString CofreDeSegredosEmArquivo::caminhoPadrao()
{
    return Conteiner::pastaDeDados() + QStringLiteral("/corvane/segredos.json");
}

LeituraDeSegredo CofreDeSegredosEmArquivo::ler(const ConsultaDeSegredo &consulta)
{
    // Writes replace the file by renaming, so a read needs no lock to see a whole file.
    const Conteudo conteudo = lerConteudo(caminho_);
    if (conteudo.status != statusSucesso)
        return LeituraDeSegredo::indisponivel();
    for (const QJsonValue &segredo : conteudo.segredos) {
        if (!corresponde(segredo, consulta))
            continue;
        const QJsonValue valor = segredo.toObject().value(QLatin1String("valor"));
        auto bytes = QByteArray::fromBase64Encoding(valor.toString().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        if (!valor.isString() || !bytes)
            return LeituraDeSegredo::indisponivel();
        return LeituraDeSegredo::presente(*bytes);
    }
    return LeituraDeSegredo::ausente();
}

std::int32_t CofreDeSegredosEmArquivo::gravar(const ConsultaDeSegredo &consulta, const QByteArray &bytes)
{
    if (!ArquivoAtomico::criarPastaProtegida(QFileInfo(caminho_).absolutePath()))
        return statusEntradaOuSaida;
    const TravaDeArquivo trava(caminho_);
    if (!trava.travada())
        return statusEntradaOuSaida;
    Conteudo conteudo = lerConteudo(caminho_);
    if (conteudo.status != statusSucesso)
        return conteudo.status;

    QJsonObject novo{{QStringLiteral("servico"), consulta.servico},
                     {QStringLiteral("conta"), consulta.conta},
                     {QStringLiteral("valor"), QString::fromLatin1(bytes.toBase64())}};
    if (consulta.grupo)
        novo.insert(QStringLiteral("grupo"), *consulta.grupo);

    QJsonArray segredos;
    bool substituido = false;
    for (const QJsonValue &segredo : std::as_const(conteudo.segredos)) {
        if (!corresponde(segredo, consulta)) {
            segredos.append(segredo);
        } else if (!substituido) {
            segredos.append(novo);
            substituido = true;
        }
    }
    if (!substituido)
        segredos.append(novo);
    return escrever(caminho_, segredos);
}

std::int32_t CofreDeSegredosEmArquivo::apagar(const ConsultaDeSegredo &consulta)
{
    if (!QFileInfo::exists(caminho_))
        return statusSucesso;
    const TravaDeArquivo trava(caminho_);
    if (!trava.travada())
        return statusEntradaOuSaida;
    const Conteudo conteudo = lerConteudo(caminho_);
    if (conteudo.status != statusSucesso)
        return conteudo.status;
    QJsonArray mantidos;
    for (const QJsonValue &segredo : conteudo.segredos) {
        if (!corresponde(segredo, consulta))
            mantidos.append(segredo);
    }
    if (mantidos.size() == conteudo.segredos.size())
        return statusSucesso;
    return escrever(caminho_, mantidos);
}
