// Taking over the local copy the store was created from, so the first change after a start
// costs a journal line, not a rewrite of the whole copy.
#include "vault/Cofre.h"

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
    // Every entry stored as it is (no repeated id, no deleted or empty entry dropped on the way),
    // and the journal replayed to its end: a line appended after a cut or damaged one would be
    // lost at the next read.
    if (!copia.diarioLido || copia.versao != 1 || copia.conta != conta_ || copia.revisao != revisao_
        || cifrados_.size() != copia.itens.size())
        return;
    const std::optional<MarcaDaCopia> marca = marcaDaCopia();
    if (!marca)
        return;
    copiaGravada_ = versaoDaCopia_;
    mudadosNaCopia_.clear();
    contaMudouNaCopia_ = false;
    copiaInteiraMudou_ = false;
    marcaDaCopiaGravada_ = marca;
    tamanhoDaCopiaGravada_ = marca->tamanho;
    tamanhoDoDiario_ = *copia.diarioLido;
}
