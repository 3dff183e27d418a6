#include "core/ArquivosDoPreenchimento.h"

#include "core/Configuracao.h"
#include "plataforma/ArquivoAtomico.h"
#include "plataforma/Conteiner.h"
#include "plataforma/TravaDeArquivo.h"

#include <QFile>
#include <QFileInfo>

#include <functional>

namespace {

std::optional<QString> caminhoNoSuporte(const QString &nome)
{
    const auto suporte = Conteiner::suporteDoApp(grupoDoApp());
    if (!suporte)
        return std::nullopt;
    return *suporte + QLatin1Char('/') + nome;
}

// The records of the file: an empty list when it does not exist, nothing when it exists but
// cannot be read or does not decode as a whole (as the platform decoder, one bad record fails the
// array). Telling the two apart is what keeps a rewrite from destroying a file it did not read.
template <typename T>
std::optional<QList<T>> registrosDoArquivo(const QString &caminho)
{
    const auto bytes = ArquivoAtomico::ler(caminho);
    if (!bytes) {
        if (QFileInfo::exists(caminho) || QFileInfo(caminho).isSymLink())
            return std::nullopt;
        return QList<T>();
    }
    try {
        const ValorJSON documento = CodificacaoJSON::lerDocumento(*bytes);
        const QList<ValorJSON> *valores = documento.comoLista();
        if (!valores)
            return std::nullopt;
        QList<T> registros;
        registros.reserve(valores->size());
        for (qsizetype i = 0; i < valores->size(); ++i)
            registros.append(T::deJSON(Leitor((*valores)[i], QStringLiteral("[%1]").arg(i))));
        return registros;
    } catch (const ErroDeDecodificacao &) {
        return std::nullopt;
    }
}

template <typename T>
QList<T> lerLista(const std::optional<QString> &caminho)
{
    if (!caminho)
        return {};
    return registrosDoArquivo<T>(*caminho).value_or(QList<T>());
}

template <typename T>
bool gravarLista(const QString &caminho, const QList<T> &registros)
{
    QList<ValorJSON> valores;
    valores.reserve(registros.size());
    for (const T &registro : registros)
        valores.append(registro.paraJSON());
    return ArquivoAtomico::gravar(caminho, CodificacaoJSON::escreverDocumento(ValorJSON::lista(std::move(valores))));
}

// One read-modify-write under the lock shared with the other program. `alterar` changes the list
// and says whether anything changed; a list left empty deletes the file, also when `alterar`
// changed nothing (an existing "[]"). False when the lock cannot
// be held, the file exists but is unreadable or undecodable (left untouched), or the write fails.
template <typename T>
bool reescrever(const QString &caminho, const std::function<bool(QList<T> &)> &alterar)
{
    const TravaDeArquivo trava(caminho);
    if (!trava.travada())
        return false;
    auto registros = registrosDoArquivo<T>(caminho);
    if (!registros)
        return false;
    const bool alterou = alterar(*registros);
    if (registros->isEmpty()) {
        QFile::remove(caminho); // a missing file stays missing
        return true;
    }
    return alterou ? gravarLista(caminho, *registros) : true;
}

} // namespace

// ---- NovaDoPreenchimento ----

std::optional<QString> NovaDoPreenchimento::urlDoArquivo()
{
    return caminhoNoSuporte(QStringLiteral("novas-senhas.json"));
}

QList<NovaDoPreenchimento> NovaDoPreenchimento::ler()
{
    return lerLista<NovaDoPreenchimento>(urlDoArquivo());
}

void NovaDoPreenchimento::remover(const QSet<QString> &ids)
{
    if (ids.isEmpty())
        return;
    const auto caminho = urlDoArquivo();
    if (!caminho)
        return;
    (void)reescrever<NovaDoPreenchimento>(*caminho, [&ids](QList<NovaDoPreenchimento> &registros) {
        return registros.removeIf([&ids](const NovaDoPreenchimento &nova) { return ids.contains(nova.id); }) > 0;
    });
}

bool NovaDoPreenchimento::acrescentar(const NovaDoPreenchimento &nova)
{
    const auto caminho = urlDoArquivo();
    if (!caminho)
        return false;
    return reescrever<NovaDoPreenchimento>(*caminho, [&nova](QList<NovaDoPreenchimento> &registros) {
        registros.append(nova);
        return true;
    });
}

NovaDoPreenchimento NovaDoPreenchimento::deJSON(const Leitor &leitor)
{
    return {leitor.exigirTexto(QStringLiteral("id")), leitor.exigirTexto(QStringLiteral("dados")),
            leitor.exigirData(QStringLiteral("criadaEm"))};
}

ValorJSON NovaDoPreenchimento::paraJSON() const
{
    return Escritor()
        .texto(QStringLiteral("id"), id)
        .texto(QStringLiteral("dados"), dados)
        .data(QStringLiteral("criadaEm"), criadaEm)
        .valorPronto();
}

// ---- VinculoDoPreenchimento ----

std::optional<QString> VinculoDoPreenchimento::urlDoArquivo()
{
    return caminhoNoSuporte(QStringLiteral("vinculos-de-codigos.json"));
}

QList<VinculoDoPreenchimento> VinculoDoPreenchimento::ler()
{
    return lerLista<VinculoDoPreenchimento>(urlDoArquivo());
}

void VinculoDoPreenchimento::remover(const QSet<VinculoDoPreenchimento> &vinculos)
{
    if (vinculos.isEmpty())
        return;
    const auto caminho = urlDoArquivo();
    if (!caminho)
        return;
    (void)reescrever<VinculoDoPreenchimento>(*caminho, [&vinculos](QList<VinculoDoPreenchimento> &registros) {
        return registros.removeIf([&vinculos](const VinculoDoPreenchimento &v) { return vinculos.contains(v); }) > 0;
    });
}

bool VinculoDoPreenchimento::acrescentar(const VinculoDoPreenchimento &vinculo)
{
    const auto caminho = urlDoArquivo();
    if (!caminho)
        return false;
    return reescrever<VinculoDoPreenchimento>(*caminho, [&vinculo](QList<VinculoDoPreenchimento> &registros) {
        if (registros.contains(vinculo))
            return false;
        registros.append(vinculo);
        return true;
    });
}

bool VinculoDoPreenchimento::acrescentarVarios(const QList<VinculoDoPreenchimento> &vinculos)
{
    const auto caminho = urlDoArquivo();
    if (!caminho)
        return false;
    if (vinculos.isEmpty())
        return true;
    return reescrever<VinculoDoPreenchimento>(*caminho, [&vinculos](QList<VinculoDoPreenchimento> &registros) {
        QSet<VinculoDoPreenchimento> presentes(registros.cbegin(), registros.cend());
        bool alterou = false;
        for (const VinculoDoPreenchimento &vinculo : vinculos) {
            if (presentes.contains(vinculo))
                continue;
            presentes.insert(vinculo);
            registros.append(vinculo);
            alterou = true;
        }
        return alterou;
    });
}

VinculoDoPreenchimento VinculoDoPreenchimento::deJSON(const Leitor &leitor)
{
    return {leitor.exigirTexto(QStringLiteral("id")), leitor.exigirTexto(QStringLiteral("dominio"))};
}

ValorJSON VinculoDoPreenchimento::paraJSON() const
{
    return Escritor()
        .texto(QStringLiteral("id"), id)
        .texto(QStringLiteral("dominio"), dominio)
        .valorPronto();
}

size_t qHash(const VinculoDoPreenchimento &vinculo, size_t semente)
{
    return qHashMulti(semente, vinculo.id, vinculo.dominio);
}
