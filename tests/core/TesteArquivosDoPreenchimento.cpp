#include "core/ArquivosDoPreenchimento.h"
#include "core/Configuracao.h"
#include "plataforma/ArquivoAtomico.h"
#include "plataforma/TravaDeArquivo.h"
#include "support/DiretorioTemporario.h"
#include "support/EsperaPelaTrava.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

using namespace Qt::StringLiterals;

namespace {

const QDateTime instante = QDateTime::fromMSecsSinceEpoch(1'715'000'000'123, Qt::UTC);

NovaDoPreenchimento nova(const QString &id)
{
    return {id, u"v1.nonce.dados-"_s + id, instante};
}

QByteArray bytesDe(const QString &caminho)
{
    return ArquivoAtomico::ler(caminho).value_or("<ausente>");
}

void gravarBytes(const QString &caminho, const QByteArray &bytes)
{
    QFile arquivo(caminho);
    ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
    ASSERT_EQ(arquivo.write(bytes), bytes.size());
}

QList<QString> idsDe(const QList<NovaDoPreenchimento> &novas)
{
    QList<QString> ids;
    for (const NovaDoPreenchimento &n : novas)
        ids.append(n.id);
    return ids;
}

} // namespace

TEST(ArquivosDoPreenchimento, FicamNoSuporteDoAppDoConteiner)
{
    const DiretorioTemporario tmp;
    const QString suporte = tmp.dados() + u"/Group Containers/"_s + grupoDoApp() + u"/Library/Application Support"_s;
    EXPECT_EQ(NovaDoPreenchimento::urlDoArquivo().value_or(QString()), suporte + u"/novas-senhas.json"_s);
    EXPECT_EQ(VinculoDoPreenchimento::urlDoArquivo().value_or(QString()), suporte + u"/vinculos-de-codigos.json"_s);
}

TEST(NovaDoPreenchimento, CriadaEmEhGravadaComoSegundosDesde2001EVoltaNoMesmoInstante)
{
    const DiretorioTemporario tmp;
    const QDateTime umMinutoDepois = QDateTime::fromString(u"2001-01-01T00:01:00.250Z"_s, Qt::ISODateWithMs);
    ASSERT_TRUE(NovaDoPreenchimento::acrescentar({u"a"_s, u"v1.x.y"_s, umMinutoDepois}));
    ASSERT_TRUE(NovaDoPreenchimento::acrescentar(nova(u"b"_s)));
    const QByteArray bytes = bytesDe(*NovaDoPreenchimento::urlDoArquivo());
    EXPECT_TRUE(bytes.startsWith(R"([{"id":"a","dados":"v1.x.y","criadaEm":60.25},{"id":"b",)"))
        << bytes.toStdString();

    const QList<NovaDoPreenchimento> lidas = NovaDoPreenchimento::ler();
    ASSERT_EQ(lidas.size(), 2);
    EXPECT_EQ(lidas[0].criadaEm, umMinutoDepois);
    EXPECT_EQ(lidas[1], nova(u"b"_s));
}

TEST(NovaDoPreenchimento, RemoverMantemOsOutrosNaOrdemEApagaOArquivoQuandoEsvazia)
{
    const DiretorioTemporario tmp;
    for (const QString &id : {u"a"_s, u"b"_s, u"c"_s, u"d"_s})
        ASSERT_TRUE(NovaDoPreenchimento::acrescentar(nova(id)));
    const QString caminho = *NovaDoPreenchimento::urlDoArquivo();
    const QByteArray antes = bytesDe(caminho);

    NovaDoPreenchimento::remover({});
    EXPECT_EQ(bytesDe(caminho), antes);
    NovaDoPreenchimento::remover({u"zz"_s});
    EXPECT_EQ(bytesDe(caminho), antes);

    NovaDoPreenchimento::remover({u"c"_s, u"a"_s, u"zz"_s});
    EXPECT_EQ(idsDe(NovaDoPreenchimento::ler()), (QList<QString>{u"b"_s, u"d"_s}));

    NovaDoPreenchimento::remover({u"b"_s, u"d"_s});
    EXPECT_FALSE(QFileInfo::exists(caminho));
    EXPECT_TRUE(NovaDoPreenchimento::ler().isEmpty());
    NovaDoPreenchimento::remover({u"b"_s}); // no file: nothing happens
    EXPECT_FALSE(QFileInfo::exists(caminho));
}

TEST(VinculoDoPreenchimento, AcrescentarVariosEscreveCadaUmUmaVezComoUmAUm)
{
    const DiretorioTemporario tmp;
    const VinculoDoPreenchimento a1{u"a"_s, u"um.com"_s};
    const VinculoDoPreenchimento a2{u"a"_s, u"dois.com"_s};
    const VinculoDoPreenchimento b1{u"b"_s, u"um.com"_s};
    ASSERT_TRUE(VinculoDoPreenchimento::acrescentar(a2));
    // a2 is already in the file and a1 comes twice: each is written once, in order.
    ASSERT_TRUE(VinculoDoPreenchimento::acrescentarVarios({a1, a2, b1, a1}));
    EXPECT_EQ(bytesDe(*VinculoDoPreenchimento::urlDoArquivo()),
              R"([{"id":"a","dominio":"dois.com"},{"id":"a","dominio":"um.com"},{"id":"b","dominio":"um.com"}])");
    // Nothing new, nothing given: both succeed and leave the file as it was.
    ASSERT_TRUE(VinculoDoPreenchimento::acrescentarVarios({b1}));
    ASSERT_TRUE(VinculoDoPreenchimento::acrescentarVarios({}));
    EXPECT_EQ(VinculoDoPreenchimento::ler(), (QList<VinculoDoPreenchimento>{a2, a1, b1}));
}

TEST(VinculoDoPreenchimento, RemoverTiraSoOQueTemMesmoIdEMesmoDominio)
{
    const DiretorioTemporario tmp;
    const VinculoDoPreenchimento a1{u"a"_s, u"um.com"_s};
    const VinculoDoPreenchimento a2{u"a"_s, u"dois.com"_s};
    const VinculoDoPreenchimento b1{u"b"_s, u"um.com"_s};
    for (const auto &v : {a1, a2, b1})
        ASSERT_TRUE(VinculoDoPreenchimento::acrescentar(v));
    ASSERT_TRUE(VinculoDoPreenchimento::acrescentar(a2)); // already there: written once
    EXPECT_EQ(VinculoDoPreenchimento::ler(), (QList<VinculoDoPreenchimento>{a1, a2, b1}));
    EXPECT_EQ(bytesDe(*VinculoDoPreenchimento::urlDoArquivo()),
              R"([{"id":"a","dominio":"um.com"},{"id":"a","dominio":"dois.com"},{"id":"b","dominio":"um.com"}])");

    VinculoDoPreenchimento::remover({a1, {u"b"_s, u"dois.com"_s}});
    EXPECT_EQ(VinculoDoPreenchimento::ler(), (QList<VinculoDoPreenchimento>{a2, b1}));
    VinculoDoPreenchimento::remover({a2, b1});
    EXPECT_FALSE(QFileInfo::exists(*VinculoDoPreenchimento::urlDoArquivo()));
}

// A removal that finds nothing left removes the file, even when it removed nothing itself.
TEST(ArquivosDoPreenchimento, RemocaoQueDeixaOArquivoVazioOApaga)
{
    const DiretorioTemporario tmp;
    for (const QString &caminho : {*NovaDoPreenchimento::urlDoArquivo(), *VinculoDoPreenchimento::urlDoArquivo()}) {
        SCOPED_TRACE(caminho.toStdString());
        ASSERT_TRUE(QDir().mkpath(QFileInfo(caminho).path()));
        for (const QByteArray vazio : {"[]", " [ ]\n"}) {
            gravarBytes(caminho, vazio);
            if (caminho == *NovaDoPreenchimento::urlDoArquivo()) {
                NovaDoPreenchimento::remover({}); // an empty set does nothing at all
                EXPECT_TRUE(QFileInfo::exists(caminho));
                NovaDoPreenchimento::remover({u"a"_s});
            } else {
                VinculoDoPreenchimento::remover({});
                EXPECT_TRUE(QFileInfo::exists(caminho));
                VinculoDoPreenchimento::remover({{u"a"_s, u"um.com"_s}});
            }
            EXPECT_FALSE(QFileInfo::exists(caminho));
        }
    }
}

// A file that exists but does not read or decode reads as empty, yet is never deleted or
// overwritten: the entries in it may still be recovered, and a rewrite would lose them for good.
TEST(ArquivosDoPreenchimento, ArquivoDanificadoLeComoVazioMasFicaNoLugar)
{
    const DiretorioTemporario tmp;
    const QByteArray casos[] = {
        "[{\"id\":\"a\",\"dados\":",
        R"({"id":"a","dados":"v1.x.y","criadaEm":1})",
        R"([{"id":"a","dados":"v1.x.y","criadaEm":1},{"id":"b","dados":"v1.x.y"}])",
        R"([{"id":"a","dados":"v1.x.y","criadaEm":"2024-05-06T07:08:09Z"}])",
        R"([{"id":"a","dominio":"um.com"},{"id":"b"}])",
        "\xff\xfe",
        "",
    };
    const QString novas = *NovaDoPreenchimento::urlDoArquivo();
    const QString vinculos = *VinculoDoPreenchimento::urlDoArquivo();
    for (const QByteArray &bytes : casos) {
        SCOPED_TRACE(bytes.toStdString());
        gravarBytes(novas, bytes);
        gravarBytes(vinculos, bytes);

        EXPECT_TRUE(NovaDoPreenchimento::ler().isEmpty());
        EXPECT_TRUE(VinculoDoPreenchimento::ler().isEmpty());
        NovaDoPreenchimento::remover({u"a"_s});
        VinculoDoPreenchimento::remover({{u"a"_s, u"um.com"_s}});
        EXPECT_FALSE(NovaDoPreenchimento::acrescentar(nova(u"c"_s)));
        EXPECT_FALSE(VinculoDoPreenchimento::acrescentar({u"c"_s, u"tres.com"_s}));

        EXPECT_EQ(bytesDe(novas), bytes);
        EXPECT_EQ(bytesDe(vinculos), bytes);
    }
}

TEST(ArquivosDoPreenchimento, ArquivoQueNaoSeLeFicaNoLugar)
{
    const DiretorioTemporario tmp;
    const QString novas = *NovaDoPreenchimento::urlDoArquivo();
    ASSERT_TRUE(QDir().mkpath(novas)); // exists, but is no file
    EXPECT_TRUE(NovaDoPreenchimento::ler().isEmpty());
    NovaDoPreenchimento::remover({u"a"_s});
    EXPECT_FALSE(NovaDoPreenchimento::acrescentar(nova(u"a"_s)));
    EXPECT_TRUE(QFileInfo(novas).isDir());
}

TEST(ArquivosDoPreenchimento, SemConteinerNadaSeLeGravaOuRemove)
{
    const DiretorioTemporario tmp;
    ASSERT_TRUE(QDir().mkpath(tmp.dados()));
    gravarBytes(tmp.dados() + u"/Group Containers"_s, "x");

    EXPECT_FALSE(NovaDoPreenchimento::urlDoArquivo());
    EXPECT_FALSE(VinculoDoPreenchimento::urlDoArquivo());
    EXPECT_TRUE(NovaDoPreenchimento::ler().isEmpty());
    EXPECT_TRUE(VinculoDoPreenchimento::ler().isEmpty());
    EXPECT_FALSE(NovaDoPreenchimento::acrescentar(nova(u"a"_s)));
    EXPECT_FALSE(VinculoDoPreenchimento::acrescentar({u"a"_s, u"um.com"_s}));
    NovaDoPreenchimento::remover({u"a"_s});
    VinculoDoPreenchimento::remover({{u"a"_s, u"um.com"_s}});
    EXPECT_EQ(QDir(tmp.dados()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{u"Group Containers"_s});
}

// The extension holds the same lock around its append: a removal must wait for it and then see
// the appended entry, instead of writing back a list read before the append.
TEST(ArquivosDoPreenchimento, RemocaoEsperaATravaDoOutroPrograma)
{
    const DiretorioTemporario tmp;
    ASSERT_TRUE(NovaDoPreenchimento::acrescentar(nova(u"a"_s)));
    const QString caminho = *NovaDoPreenchimento::urlDoArquivo();

    auto trava = std::make_unique<TravaDeArquivo>(caminho);
    ASSERT_TRUE(trava->travada());
    std::atomic<bool> removeu{false};
    std::thread remocao([&] {
        NovaDoPreenchimento::remover({u"a"_s});
        removeu = true;
    });
    EXPECT_TRUE(Testes::alguemEsperaATrava(TravaDeArquivo::caminhoDaTrava(caminho)));
    EXPECT_FALSE(removeu.load());
    // What the extension writes while it holds the lock.
    const ValorJSON comAcrescimo = ValorJSON::lista({nova(u"a"_s).paraJSON(), nova(u"b"_s).paraJSON()});
    EXPECT_TRUE(ArquivoAtomico::gravar(caminho, CodificacaoJSON::escreverDocumento(comAcrescimo)));
    trava.reset();
    remocao.join();

    EXPECT_TRUE(removeu.load());
    EXPECT_EQ(idsDe(NovaDoPreenchimento::ler()), QList<QString>{u"b"_s});
}

TEST(ArquivosDoPreenchimento, AcrescimosConcorrentesComRemocoesNaoSePerdem)
{
    const DiretorioTemporario tmp;
    constexpr int antigas = 40;
    constexpr int novas = 80;
    for (int i = 0; i < antigas; ++i)
        ASSERT_TRUE(NovaDoPreenchimento::acrescentar(nova(u"antiga-%1"_s.arg(i))));

    std::atomic<int> falhas{0};
    std::thread extensao([&] {
        for (int i = 0; i < novas; ++i) {
            if (!NovaDoPreenchimento::acrescentar(nova(u"nova-%1"_s.arg(i))))
                ++falhas;
        }
    });
    std::thread aplicativo([&] {
        for (int i = 0; i < antigas; ++i)
            NovaDoPreenchimento::remover({u"antiga-%1"_s.arg(i)});
    });
    extensao.join();
    aplicativo.join();

    EXPECT_EQ(falhas.load(), 0);
    QList<QString> esperado;
    for (int i = 0; i < novas; ++i)
        esperado.append(u"nova-%1"_s.arg(i));
    EXPECT_EQ(idsDe(NovaDoPreenchimento::ler()), esperado);
}
