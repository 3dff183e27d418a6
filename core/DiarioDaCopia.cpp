#include "core/DiarioDaCopia.h"

#include <QFile>
#include <QHash>

#include <vector>

namespace {

const QString nomeDoArquivo = QStringLiteral("cofre-diario.jsonl");

} // namespace

QByteArray MudancaDaCopia::linha() const
{
    Escritor escritor;
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

qint64 DiarioDaCopia::tamanho()
{
    QFile arquivo(DiarioDaCopia::arquivo());
    return arquivo.exists() ? arquivo.size() : 0;
}

std::optional<qint64> DiarioDaCopia::acrescentar(const MudancaDaCopia &mudanca, qint64 tamanhoEsperado)
{
    QFile arquivo(DiarioDaCopia::arquivo());
    if (!arquivo.open(QIODevice::ReadWrite | QIODevice::Append))
        return std::nullopt;
    arquivo.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    // Another size means another writer, or a line of ours that was cut short: appending after
    // it would join the two lines.
    if (arquivo.size() != tamanhoEsperado)
        return std::nullopt;
    const QByteArray linha = mudanca.linha();
    if (arquivo.write(linha) != linha.size() || !arquivo.flush())
        return std::nullopt;
    return tamanhoEsperado + linha.size();
}

void DiarioDaCopia::apagar()
{
    QFile::remove(arquivo());
}

bool DiarioDaCopia::aplicar(CopiaDoCofre &copia, const QByteArray &bytes)
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
