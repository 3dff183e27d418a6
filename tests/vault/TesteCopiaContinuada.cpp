// A store created from a large copy continues that copy's journal at its first change, but only
// when what it holds is exactly what the files hold; otherwise it writes the copy whole. Either
// way the copy read back equals what the store holds.
#include "AmbienteDoCofre.h"

#include "core/DiarioDaCopia.h"

#include <QFile>

#include <sys/stat.h>

namespace {

ino_t inodeDaCopia()
{
    struct stat info {};
    return ::stat(QFile::encodeName(CopiaDoCofre::arquivo()).constData(), &info) == 0 ? info.st_ino : 0;
}

QByteArray lerDiario()
{
    QFile arquivo(DiarioDaCopia::arquivo());
    return arquivo.open(QIODevice::ReadOnly) ? arquivo.readAll() : QByteArray();
}

void gravarDiario(const QByteArray &bytes)
{
    QFile arquivo(DiarioDaCopia::arquivo());
    ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(arquivo.write(bytes), bytes.size());
}

} // namespace

class TesteCopiaContinuada : public AmbienteDoCofre {
protected:
    void SetUp() override
    {
        AmbienteDoCofre::SetUp();
        minimaAnterior = Cofre::copiaMinimaParaDiario();
        Cofre::definirCopiaMinimaParaDiario(0); // every copy counts as large
    }
    void TearDown() override
    {
        Cofre::definirCopiaMinimaParaDiario(minimaAnterior);
        AmbienteDoCofre::TearDown();
    }

    // A first store writes the copy whole and one change as a journal line, then goes away.
    void sessaoAnterior()
    {
        for (int i = 0; i < 6; ++i)
            gravarNoServidor(QStringLiteral("n%1").arg(i), TipoDeItem::nota, nota(QStringLiteral("Nota %1").arg(i)));
        const auto primeiro = novoCofre();
        Testes::executar(primeiro->sincronizar());
        gravarNoServidor(QStringLiteral("n0"), TipoDeItem::nota, nota(QStringLiteral("Editada")));
        Testes::executar(primeiro->sincronizar());
        ASSERT_GT(DiarioDaCopia::tamanho(), 0);
    }

    qint64 minimaAnterior = 0;
};

TEST_F(TesteCopiaContinuada, PrimeiraMudancaDepoisDeAbrirContinuaODiarioSoQuandoTudoConfere)
{
    const struct {
        const char *nome;
        std::function<void()> preparar; // after the previous session, before the new store opens
        bool continua;
    } casos[] = {
        {"copy and journal as the last store left them", [] {}, true},
        {"copy without a journal", [] { DiarioDaCopia::apagar(); }, true},
        {"journal line cut short by a crash", [] { gravarDiario(lerDiario() + "{\"revisao\":"); }, false},
        {"journal with an unreadable line before the last",
         [] {
             const QByteArray diario = lerDiario();
             gravarDiario("nada\n" + diario);
         },
         false},
        {"journal ending in an unreadable line", [] { gravarDiario(lerDiario() + "nada\n"); }, false},
        {"journal whose last line repeats one before an unreadable line",
         [] {
             const QByteArray diario = lerDiario();
             gravarDiario(diario + "nada\n" + diario);
         },
         false},
        {"copy holding a deleted entry",
         [] {
             CopiaDoCofre copia = *CopiaDoCofre::ler();
             ItemCifrado apagado = copia.itens.first();
             apagado.id = QStringLiteral("apagado");
             apagado.apagadoEm = apagado.atualizadoEm;
             copia.itens.append(apagado);
             ASSERT_TRUE(CopiaDoCofre::salvar(copia));
         },
         false},
        {"copy of an older account record",
         [] {
             CopiaDoCofre copia = *CopiaDoCofre::ler();
             copia.conta.nome = QStringLiteral("Nome antigo");
             ASSERT_TRUE(CopiaDoCofre::salvar(copia));
         },
         false},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.nome);
        CopiaDoCofre::apagar();
        sessaoAnterior();
        caso.preparar();
        const ino_t antes = inodeDaCopia();

        const auto cofre = novoCofre();
        ASSERT_TRUE(cofre->carregado());
        gravarNoServidor(QStringLiteral("n1"), TipoDeItem::nota, nota(QString::fromLatin1(caso.nome)));
        Testes::executar(cofre->sincronizar());
        EXPECT_EQ(inodeDaCopia() == antes, caso.continua) << "same copy file: journal continued";
        EXPECT_EQ(DiarioDaCopia::tamanho() > 0, caso.continua);
        conferirCopia(*cofre);
    }
}

TEST_F(TesteCopiaContinuada, CopiaTrocadaPorOutroEscritorDepoisDeAbrirEhGravadaInteira)
{
    sessaoAnterior();
    DiarioDaCopia::apagar();
    const auto cofre = novoCofre();

    // Another writer replaces the copy with an older state and no journal: a line appended
    // to it would leave a copy without n5.
    CopiaDoCofre outra = *CopiaDoCofre::ler();
    outra.itens.removeIf([](const ItemCifrado &item) { return item.id == QStringLiteral("n5"); });
    ASSERT_TRUE(CopiaDoCofre::salvar(outra));

    gravarNoServidor(QStringLiteral("n1"), TipoDeItem::nota, nota(QStringLiteral("Outra")));
    Testes::executar(cofre->sincronizar());
    conferirCopia(*cofre);
    EXPECT_TRUE(CopiaDoCofre::ler()->itens.size() == cofre->cifrados().size());
}
