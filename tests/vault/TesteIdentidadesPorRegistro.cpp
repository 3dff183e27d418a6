// Over a store that takes changes by record, every vault change hands over only the changed
// items' identities, and after each one the store holds exactly what a rebuild from the open
// items gives; links, a store switched off and back on, and a failed write fall back to a whole
// list, so no change is ever lost.
#include "AmbienteDoCofre.h"

#include "servicos/IdentidadesDoPreenchimento.h"
#include "core/ArquivosDoPreenchimento.h"

#include <atomic>

namespace {

using Lista = QList<IdentidadeDoPreenchimento>;

QString registroDe(const IdentidadeDoPreenchimento &identidade)
{
    return std::visit([](const auto &i) { return i.idDoRegistro; }, identidade);
}

// Each record's identities in their order: what a rebuild fixes (the order between records is
// the open items' hash order, which nothing reads).
QHash<QString, Lista> porRegistro(const Lista &lista)
{
    QHash<QString, Lista> grupos;
    for (const IdentidadeDoPreenchimento &identidade : lista)
        grupos[registroDe(identidade)].append(identidade);
    return grupos;
}

// An in-memory store that applies both kinds of write as the host's file does, logging each.
class RepositorioPorRegistro final : public RepositorioDeIdentidades {
public:
    std::atomic<bool> ligadoAgora = true;
    std::atomic<bool> falhar = false;

    bool ligado() override { return ligadoAgora; }
    bool substituirTodas(const Lista &identidades) override
    {
        const std::lock_guard trava(guarda_);
        operacoes_.append(QStringLiteral("todas"));
        if (falhar)
            return false;
        lista_ = identidades;
        return true;
    }
    bool substituiPorRegistro() const override { return true; }
    bool substituirDosRegistros(const IdentidadesPorRegistro &mudancas) override
    {
        const std::lock_guard trava(guarda_);
        QStringList ids = mudancas.keys();
        ids.sort();
        operacoes_.append(QStringLiteral("registros:") + ids.join(','));
        if (falhar)
            return false;
        lista_.removeIf([&](const IdentidadeDoPreenchimento &i) { return mudancas.contains(registroDe(i)); });
        for (const QString &id : std::as_const(ids))
            lista_.append(mudancas.value(id));
        return true;
    }
    bool adicionar(const IdentidadeDoPreenchimento &identidade) override
    {
        const std::lock_guard trava(guarda_);
        lista_.append(identidade);
        return true;
    }
    bool removerTodas() override
    {
        const std::lock_guard trava(guarda_);
        lista_.clear();
        return true;
    }

    [[nodiscard]] Lista lista() const
    {
        const std::lock_guard trava(guarda_);
        return lista_;
    }
    [[nodiscard]] QStringList tomarOperacoes()
    {
        const std::lock_guard trava(guarda_);
        return std::exchange(operacoes_, {});
    }

private:
    mutable std::mutex guarda_;
    Lista lista_;
    QStringList operacoes_;
};

} // namespace

class TesteIdentidadesPorRegistro : public AmbienteDoCofre {
protected:
    void SetUp() override
    {
        AmbienteDoCofre::SetUp();
        RepositorioDeIdentidades::usar(repositorio);
    }

    void sincronizar(Cofre &cofre)
    {
        Testes::executar(cofre.sincronizar());
        aguardarIdentidades();
    }

    // The store holds what a rebuild from the open items and the links file gives.
    void conferirIdentidades(const Cofre &cofre) const
    {
        const Lista esperadas = montarIdentidades(cofre.abertos().values(), VinculoDoPreenchimento::ler());
        const Lista guardadas = repositorio->lista();
        EXPECT_EQ(guardadas.size(), esperadas.size());
        EXPECT_EQ(porRegistro(guardadas), porRegistro(esperadas));
    }

    std::shared_ptr<RepositorioPorRegistro> repositorio = std::make_shared<RepositorioPorRegistro>();
};

TEST_F(TesteIdentidadesPorRegistro, CadaMudancaLevaSoOsRegistrosMudadosEAListaFicaIgualAReconstrucao)
{
    gravarNoServidor(QStringLiteral("s1"), TipoDeItem::senha, senha(QStringLiteral("Banco"), QStringLiteral("banco.com")));
    gravarNoServidor(QStringLiteral("s2"), TipoDeItem::senha, senha(QStringLiteral("Loja"), QStringLiteral("loja.com")));
    gravarNoServidor(QStringLiteral("c1"), TipoDeItem::codigo, codigo(QStringLiteral("GitHub")));
    gravarNoServidor(QStringLiteral("n1"), TipoDeItem::nota, nota(QStringLiteral("Nota")));
    const auto cofre = novoCofre();

    const struct {
        const char *nome;
        std::function<void()> mudar;
        QStringList operacoes; // what reached the store, in order
    } passos[] = {
        {"a new store hands over the whole list", [] {}, {"todas"}},
        {"nothing new: nothing", [] {}, {}},
        {"an item added elsewhere",
         [&] { gravarNoServidor(QStringLiteral("s3"), TipoDeItem::senha, senha(QStringLiteral("Correio"), QStringLiteral("correio.com"))); },
         {"registros:s3"}},
        {"an item given another site",
         [&] { gravarNoServidor(QStringLiteral("s1"), TipoDeItem::senha, senha(QStringLiteral("Banco"), QStringLiteral("banco.com.br"))); },
         {"registros:s1"}},
        {"two items changed, one removed",
         [&] {
             gravarNoServidor(QStringLiteral("s2"), TipoDeItem::senha, senha(QStringLiteral("Loja"), QStringLiteral("loja.net")));
             gravarNoServidor(QStringLiteral("c1"), TipoDeItem::codigo, codigo(QStringLiteral("gitlab.com")));
             servidor.estado().apagarItem(email, QStringLiteral("s3"));
         },
         {"registros:c1,s2,s3"}},
        {"a note and a title without new identities: nothing",
         [&] {
             gravarNoServidor(QStringLiteral("n1"), TipoDeItem::nota, nota(QStringLiteral("Outra nota")));
             gravarNoServidor(QStringLiteral("s2"), TipoDeItem::senha, senha(QStringLiteral("Loja nova"), QStringLiteral("loja.net")));
         },
         {}},
        {"an item that lost its identities",
         [&] { gravarNoServidor(QStringLiteral("s2"), TipoDeItem::nota, nota(QStringLiteral("Era loja"))); },
         {"registros:s2"}},
    };
    for (const auto &passo : passos) {
        SCOPED_TRACE(passo.nome);
        passo.mudar();
        sincronizar(*cofre);
        EXPECT_EQ(repositorio->tomarOperacoes(), passo.operacoes);
        conferirIdentidades(*cofre);
    }
}

TEST_F(TesteIdentidadesPorRegistro, VinculoLojaDesligadaEFalhaVoltamAListaInteira)
{
    gravarNoServidor(QStringLiteral("s1"), TipoDeItem::senha, senha(QStringLiteral("Banco"), QStringLiteral("banco.com")));
    gravarNoServidor(QStringLiteral("c1"), TipoDeItem::codigo, codigo(QStringLiteral("GitHub")));
    const auto cofre = novoCofre();
    sincronizar(*cofre);
    ASSERT_EQ(repositorio->tomarOperacoes(), QStringList{"todas"});
    int versao = 0;
    const auto mudarS1 = [&] {
        gravarNoServidor(QStringLiteral("s1"), TipoDeItem::senha,
                         senha(QStringLiteral("Banco"), QStringLiteral("banco%1.com").arg(++versao)));
    };

    const struct {
        const char *nome;
        std::function<void()> antes;
        QString primeira; // the first write of the run ("" for none)
    } passos[] = {
        {"a link left by the extension: whole list",
         [&] { ASSERT_TRUE(VinculoDoPreenchimento::acrescentar({QStringLiteral("c1"), QStringLiteral("git.com")})); },
         "todas"},
        {"the run took the link out of the file: whole list again", [] {}, "todas"},
        {"then a change: by record", mudarS1, "registros:s1"},
        {"switched off: nothing written", [&] { repositorio->ligadoAgora = false; mudarS1(); }, ""},
        {"switched on, nothing new: whole list", [&] { repositorio->ligadoAgora = true; }, "todas"},
        {"a write that fails", [&] { repositorio->falhar = true; mudarS1(); }, "registros:s1"},
        {"the next change after the failure: whole list", [&] { repositorio->falhar = false; mudarS1(); }, "todas"},
        {"and by record again", mudarS1, "registros:s1"},
    };
    for (const auto &passo : passos) {
        SCOPED_TRACE(passo.nome);
        passo.antes();
        sincronizar(*cofre);
        const QStringList operacoes = repositorio->tomarOperacoes();
        EXPECT_EQ(operacoes.value(0), passo.primeira);
        if (!repositorio->falhar && repositorio->ligadoAgora)
            conferirIdentidades(*cofre);
    }
}

TEST_F(TesteIdentidadesPorRegistro, EscritaDeUmItemLevaSoEle)
{
    gravarNoServidor(QStringLiteral("s1"), TipoDeItem::senha, senha(QStringLiteral("Banco"), QStringLiteral("banco.com")));
    const auto cofre = novoCofre();
    sincronizar(*cofre);
    (void)repositorio->tomarOperacoes();

    const ItemAberto salvo = Testes::executar(
        cofre->guardar(std::nullopt, senha(QStringLiteral("Loja"), QStringLiteral("loja.com")), TipoDeItem::senha));
    aguardarIdentidades();
    EXPECT_EQ(repositorio->tomarOperacoes(), QStringList{"registros:" + salvo.id});
    conferirIdentidades(*cofre);

    Testes::executar(cofre->apagar(salvo.id));
    aguardarIdentidades();
    EXPECT_EQ(repositorio->tomarOperacoes(), QStringList{"registros:" + salvo.id});
    conferirIdentidades(*cofre);
}
