// The extension appending to the exchange files while the application consumes them, in two
// processes sharing the files' lock: nothing lost, nothing twice.
#include "CopiaDeTeste.h"
#include "autofill/ModeloDoPreenchimento.h"
#include "core/ArquivosDoPreenchimento.h"
#include "plataforma/RepositorioDeIdentidades.h"
#include "support/CofreDeSegredosEmMemoria.h"
#include "support/DiretorioTemporario.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QSet>


using namespace Qt::StringLiterals;

namespace {

constexpr int quantidade = 1000;

// The host's identity file is not what this test is about.
struct SemIdentidades final : RepositorioDeIdentidades {
    bool ligado() override { return true; }
    bool substituirTodas(const QList<IdentidadeDoPreenchimento> &) override { return true; }
    bool adicionar(const IdentidadeDoPreenchimento &) override { return true; }
    bool removerTodas() override { return true; }
};

} // namespace

// The extension's side, run by the test below in a process of its own.
TEST(ConcorrenciaDoPreenchimento, DISABLED_ExtensaoAnexa)
{
    auto segredos = CofreDeSegredosEmMemoria::instalar();
    Chaveiro::gravar(CopiaDeTeste::chave, QString::fromLatin1(Chaveiro::contaDaChaveDoCofre));
    RepositorioDeIdentidades::usar(std::make_shared<SemIdentidades>());
    ModeloDoPreenchimento modelo;
    modelo.preparar(ModoDoPreenchimento::senhas(), {{u"exemplo.com"_s, IdentificadorDeServico::Tipo::dominio}});
    QString ultimo;
    modelo.definirAoEscolherSenha([&ultimo](const QString &usuario, const QString &) { ultimo = usuario; });
    for (int i = 0; i < quantidade; ++i) {
        ASSERT_TRUE(modelo.salvarNovaSenha(u"Título"_s, u"u%1"_s.arg(i), u"s"_s));
        ASSERT_EQ(ultimo, u"u%1"_s.arg(i));
        OpcaoDePreenchimento codigo;
        codigo.id = u"codigo-%1"_s.arg(i);
        codigo.tipo = TipoDeItem::codigo;
        modelo.vincularCodigo(codigo);
    }
    RepositorioDeIdentidades::usar(nullptr);
    CofreDeSegredos::usar(nullptr);
}

TEST(ConcorrenciaDoPreenchimento, ExtensaoEAplicativoNaoPerdemNemDuplicamEntradas)
{
    const DiretorioTemporario pasta;
    QProcess extensao;
    extensao.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    extensao.start(QCoreApplication::applicationFilePath(),
                   {u"--gtest_also_run_disabled_tests"_s, u"--gtest_filter=ConcorrenciaDoPreenchimento.DISABLED_ExtensaoAnexa"_s});
    ASSERT_TRUE(extensao.waitForStarted());

    // The application's side: read what is there and remove exactly that, again and again.
    QList<QString> novas;
    QList<QString> vinculos;
    const auto consumir = [&] {
        QSet<QString> ids;
        for (const NovaDoPreenchimento &nova : NovaDoPreenchimento::ler()) {
            novas.append(nova.id);
            ids.insert(nova.id);
        }
        NovaDoPreenchimento::remover(ids);
        QSet<VinculoDoPreenchimento> lidos;
        for (const VinculoDoPreenchimento &vinculo : VinculoDoPreenchimento::ler()) {
            vinculos.append(vinculo.id);
            lidos.insert(vinculo);
        }
        VinculoDoPreenchimento::remover(lidos);
    };
    while (!extensao.waitForFinished(5))
        consumir();
    consumir();
    ASSERT_EQ(extensao.exitCode(), 0);

    EXPECT_EQ(novas.size(), quantidade);
    EXPECT_EQ(QSet<QString>(novas.cbegin(), novas.cend()).size(), quantidade);
    EXPECT_EQ(vinculos.size(), quantidade);
    QSet<QString> esperados;
    for (int i = 0; i < quantidade; ++i)
        esperados.insert(u"codigo-%1"_s.arg(i));
    EXPECT_EQ(QSet<QString>(vinculos.cbegin(), vinculos.cend()), esperados);
}
