// A large copy takes the store's changes as journal lines beside it, and the copy read back with
// its journal always equals what the store holds; past a quarter of the copy, and after a whole
// answer, it is written whole again.
#include "AmbienteDoCofre.h"

#include "core/DiarioDaCopia.h"

#include <QFileInfo>

#include <sys/stat.h>

namespace {

ino_t inodeDaCopia()
{
    struct stat info {};
    return ::stat(QFile::encodeName(CopiaDoCofre::arquivo()).constData(), &info) == 0 ? info.st_ino : 0;
}

// Every copy counts as large while alive.
class QualquerCopiaNoDiario {
public:
    QualquerCopiaNoDiario() : anterior_(Cofre::copiaMinimaParaDiario()) { Cofre::definirCopiaMinimaParaDiario(0); }
    ~QualquerCopiaNoDiario() { Cofre::definirCopiaMinimaParaDiario(anterior_); }

private:
    qint64 anterior_;
};

} // namespace

class TesteDiarioNoCofre : public AmbienteDoCofre {};

TEST_F(TesteDiarioNoCofre, MudancasVaoAoDiarioAteUmQuartoDaCopia)
{
    const QualquerCopiaNoDiario diario;
    for (int i = 0; i < 8; ++i)
        gravarNoServidor(QStringLiteral("n%1").arg(i), TipoDeItem::nota, nota(QStringLiteral("Nota %1").arg(i)));
    const auto cofre = novoCofre();
    Testes::executar(cofre->sincronizar());
    const ino_t inteira = inodeDaCopia();
    ASSERT_NE(inteira, 0u);
    EXPECT_EQ(DiarioDaCopia::tamanho(), 0);

    // Changes, deletions and a new item: each sync one journal line, the copy file untouched.
    qint64 antes = 0;
    const auto mudar = [&](int passo) {
        gravarNoServidor(QStringLiteral("n%1").arg(passo % 8), TipoDeItem::nota, nota(QStringLiteral("Outra")));
        if (passo == 1)
            servidor.estado().apagarItem(email, QStringLiteral("n7"));
        Testes::executar(cofre->sincronizar());
        conferirCopia(*cofre);
    };
    for (int passo = 0; passo < 2; ++passo) {
        SCOPED_TRACE(passo);
        mudar(passo);
        EXPECT_EQ(inodeDaCopia(), inteira);
        EXPECT_GT(DiarioDaCopia::tamanho(), antes);
        antes = DiarioDaCopia::tamanho();
    }
    ASSERT_FALSE(cofre->cifrados().contains(QStringLiteral("n7")));

    // Nothing new: no line.
    Testes::executar(cofre->sincronizar());
    EXPECT_EQ(DiarioDaCopia::tamanho(), antes);

    // Once the journal passes a quarter of the copy, the next change folds it in.
    int passo = 2;
    while (QFileInfo(DiarioDaCopia::arquivo()).exists() && passo < 40)
        mudar(passo++);
    EXPECT_FALSE(QFileInfo::exists(DiarioDaCopia::arquivo()));
    EXPECT_NE(inodeDaCopia(), inteira);
    conferirCopia(*cofre);

    // A journal this store did not leave (cut short by a crash) is never appended to.
    mudar(passo++);
    ASSERT_GT(DiarioDaCopia::tamanho(), 0);
    QFile arquivo(DiarioDaCopia::arquivo());
    ASSERT_TRUE(arquivo.open(QIODevice::Append));
    arquivo.write("{\"revisao\":");
    arquivo.close();
    const ino_t antesDoCorte = inodeDaCopia();
    mudar(passo++);
    EXPECT_NE(inodeDaCopia(), antesDoCorte) << "written whole instead";
    EXPECT_EQ(DiarioDaCopia::tamanho(), 0);
}
