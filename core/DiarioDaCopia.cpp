#include "core/DiarioDaCopia.h"

#include <QFile>
#include <QHash>

#include <sys/stat.h>

#include <vector>

namespace {

const QString nomeDoArquivo = QStringLiteral("cofre-diario.jsonl");
const QString chaveDaCopia = QStringLiteral("copia");

} // namespace

QByteArray MudancaDaCopia::linha() const
{
    Escritor escritor;
    // First, so that a journal's first bytes tell whether it names its copy.
    if (copia)
        escritor.texto(chaveDaCopia, *copia);
    escritor.inteiro(QStringLiteral("revisao"), revisao);
    if (conta)
        escritor.valor(QStringLiteral("conta"), conta->paraJSON());
    escritor.lista(QStringLiteral("gravados"), gravados, [](const ItemCifrado &item) { return item.paraJSON(); });
    escritor.listaDeTextos(QStringLiteral("removidos"), removidos);
    return CodificacaoJSON::escreverDocumento(escritor.valorPronto()) + '\n';
}

MudancaDaCopia MudancaDaCopia::deJSON(const Leitor &leitor)
{
    MudancaDaCopia mudanca;
    mudanca.copia = leitor.talvezTexto(chaveDaCopia);
    mudanca.revisao = leitor.exigirInteiro<qint64>(QStringLiteral("revisao"));
    if (const auto conta = leitor.talvezObjeto(QStringLiteral("conta")))
        mudanca.conta = Conta::deJSON(*conta);
    mudanca.gravados = leitor.exigirLista(QStringLiteral("gravados"),
                                          [](const Leitor &item) { return ItemCifrado::deJSON(item); });
    mudanca.removidos = leitor.exigirListaDeTextos(QStringLiteral("removidos"));
    return mudanca;
}

QString DiarioDaCopia::arquivo()
{
    return CopiaDoCofre::pasta() + QLatin1Char('/') + nomeDoArquivo;
}

std::optional<QString> DiarioDaCopia::marcaDaCopia()
{
    struct stat info {};
    if (::stat(QFile::encodeName(CopiaDoCofre::arquivo()).constData(), &info) != 0)
        return std::nullopt;
    const qint64 mudou = qint64(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
    return QStringLiteral("%1-%2-%3").arg(qint64(info.st_size)).arg(quint64(info.st_ino)).arg(mudou);
}

bool DiarioDaCopia::nomeiaACopia()
{
    QFile arquivo(DiarioDaCopia::arquivo());
    if (!arquivo.open(QIODevice::ReadOnly))
        return false;
    const QByteArray inicio = QByteArrayLiteral("{\"") + chaveDaCopia.toLatin1() + QByteArrayLiteral("\":");
    return arquivo.read(inicio.size()) == inicio;
}

qint64 DiarioDaCopia::tamanho()
{
    QFile arquivo(DiarioDaCopia::arquivo());
    return arquivo.exists() ? arquivo.size() : 0;
}

std::optional<qint64> DiarioDaCopia::acrescentar(const MudancaDaCopia &mudanca, qint64 tamanhoEsperado)
{
    // A first line names the copy it extends: without a copy there is nothing to extend.
    std::optional<QString> copia;
    if (tamanhoEsperado == 0 && !(copia = marcaDaCopia()))
        return std::nullopt;
    QFile arquivo(DiarioDaCopia::arquivo());
    if (!arquivo.open(QIODevice::ReadWrite | QIODevice::Append))
        return std::nullopt;
    arquivo.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    // Another size means another writer, or a line of ours that was cut short: appending after
    // it would join the two lines.
    if (arquivo.size() != tamanhoEsperado)
        return std::nullopt;
    QByteArray linha;
    if (copia) {
        MudancaDaCopia primeira = mudanca;
        primeira.copia = std::move(copia);
        linha = primeira.linha();
    } else {
        linha = mudanca.linha();
    }
    if (arquivo.write(linha) != linha.size() || !arquivo.flush())
        return std::nullopt;
    return tamanhoEsperado + linha.size();
}

void DiarioDaCopia::apagar()
{
    QFile::remove(arquivo());
}

bool DiarioDaCopia::aplicar(CopiaDoCofre &copia, const QByteArray &bytes, const std::optional<QString> &marca)
{
    QHash<QString, qsizetype> posicoes; // id -> index in copia.itens, of the items still stored
    std::vector<bool> removido;
    bool indexado = false;
    qsizetype inicio = 0;
    while (inicio < bytes.size()) {
        const qsizetype fim = bytes.indexOf('\n', inicio);
        if (fim < 0)
            break; // cut short
        MudancaDaCopia mudanca;
        try {
            mudanca = MudancaDaCopia::deJSON(Leitor(CodificacaoJSON::lerDocumento(bytes.sliced(inicio, fim - inicio))));
        } catch (const ErroDeDecodificacao &) {
            break; // damaged: what follows cannot be trusted either
        }
        // A journal left beside a copy written whole after it began: its changes are in that copy.
        if (inicio == 0 && mudanca.copia && mudanca.copia != marca)
            return false;
        inicio = fim + 1;
        if (!indexado) {
            posicoes.reserve(copia.itens.size());
            for (qsizetype i = 0; i < copia.itens.size(); ++i)
                posicoes.insert(copia.itens[i].id, i);
            removido.assign(std::size_t(copia.itens.size()), false);
            indexado = true;
        }
        if (mudanca.conta)
            copia.conta = std::move(*mudanca.conta);
        copia.revisao = mudanca.revisao;
        for (ItemCifrado &item : mudanca.gravados) {
            if (const auto lugar = posicoes.constFind(item.id); lugar != posicoes.cend()) {
                copia.itens[*lugar] = std::move(item);
            } else {
                posicoes.insert(item.id, copia.itens.size());
                copia.itens.append(std::move(item));
                removido.push_back(false);
            }
        }
        for (const QString &id : std::as_const(mudanca.removidos)) {
            if (const auto lugar = posicoes.constFind(id); lugar != posicoes.cend()) {
                removido[std::size_t(*lugar)] = true;
                posicoes.erase(lugar);
            }
        }
    }
    const bool ateOFim = inicio == bytes.size();
    if (!indexado)
        return ateOFim;
    // Removed items leave in one pass.
    qsizetype destino = 0;
    for (qsizetype i = 0; i < copia.itens.size(); ++i) {
        if (removido[std::size_t(i)])
            continue;
        if (destino != i)
            copia.itens[destino] = std::move(copia.itens[i]);
        ++destino;
    }
    copia.itens.resize(destino);
    return ateOFim;
}
