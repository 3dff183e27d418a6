// Taking over the local copy the store was created from, so the first change after a start
// costs a journal line, not a rewrite of the whole copy.
#include "vault/Cofre.h"

#include "core/CodificacaoJSON.h"
#include "core/DiarioDaCopia.h"

#include <QFile>

#include <sys/stat.h>

std::optional<Cofre::MarcaDaCopia> Cofre::marcaDaCopia()
{
    struct stat info {};
    if (::stat(QFile::encodeName(CopiaDoCofre::arquivo()).constData(), &info) != 0)
        return std::nullopt;
    return MarcaDaCopia{qint64(info.st_size), quint64(info.st_ino),
                        qint64(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

void Cofre::adotarCopiaLida(const CopiaDoCofre &copia)
{
    // Every entry stored as it is: no repeated id, no deleted or empty entry dropped on the way.
    if (copia.versao != 1 || copia.conta != conta_ || copia.revisao != revisao_
        || cifrados_.size() != copia.itens.size())
        return;
    const std::optional<MarcaDaCopia> marca = marcaDaCopia();
    if (!marca)
        return;
    QByteArray diario;
    if (QFile arquivo(DiarioDaCopia::arquivo()); arquivo.exists()) {
        if (!arquivo.open(QIODevice::ReadOnly))
            return;
        diario = arquivo.readAll();
    }
    if (!diarioAplicadoAteOFim(diario))
        return;
    copiaGravada_ = versaoDaCopia_;
    mudadosNaCopia_.clear();
    contaMudouNaCopia_ = false;
    copiaInteiraMudou_ = false;
    marcaDaCopiaGravada_ = marca;
    tamanhoDaCopiaGravada_ = marca->tamanho;
    tamanhoDoDiario_ = diario.size();
}

bool Cofre::diarioAplicadoAteOFim(const QByteArray &diario) const
{
    if (diario.isEmpty())
        return true;
    // A line cut short by a crash has no newline yet: a line appended after it would be lost.
    if (diario.size() < 2 || !diario.endsWith('\n'))
        return false;
    const qsizetype inicio = diario.lastIndexOf('\n', diario.size() - 2) + 1;
    MudancaDaCopia ultima;
    try {
        ultima = MudancaDaCopia::deJSON(Leitor(CodificacaoJSON::lerDocumento(diario.sliced(inicio, diario.size() - 1 - inicio))));
    } catch (const ErroDeDecodificacao &) {
        return false;
    }
    // Reading stops at the first line that does not decode: the last line shows in what the
    // store holds only when the reading got that far.
    if (ultima.revisao != revisao_ || (ultima.conta && *ultima.conta != conta_))
        return false;
    for (const ItemCifrado &item : std::as_const(ultima.gravados)) {
        const auto guardado = cifrados_.constFind(item.id);
        if (guardado == cifrados_.cend() || *guardado != item)
            return false;
    }
    for (const QString &id : std::as_const(ultima.removidos)) {
        if (cifrados_.contains(id))
            return false;
    }
    return true;
}
