// Changes by record in the identity queue: they join while they wait, follow the whole list asked
// for before them, and are never written over a store that may not hold their base.
#include "servicos/FilaDeIdentidades.h"
#include "support/Executar.h"
#include "support/Portao.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>

namespace {

using Lista = QList<IdentidadeDoPreenchimento>;

IdentidadeDoPreenchimento em(const QString &dominio, const QString &registro)
{
    return IdentidadeDeSenha{dominio, QString(), registro};
}

// Logs each write ("todas:<domains>" or "registros:<id>=<domains>;…") and can hold or fail them.
class RepositorioRegistrado final : public RepositorioDeIdentidades {
public:
    std::atomic<bool> falhar = false;

    void segurar() { portao_.fechar(); }
    void soltar() { portao_.abrir(); }
    void esperarInicios(int n) { portao_.esperarChegadas(n); }

    bool ligado() override { return true; }
    bool substituirTodas(const Lista &identidades) override { return registrar("todas:" + dominios(identidades)); }
    bool substituiPorRegistro() const override { return true; }
    bool substituirDosRegistros(const IdentidadesPorRegistro &mudancas) override
    {
        QStringList ids = mudancas.keys();
        ids.sort();
        QStringList partes;
        for (const QString &id : std::as_const(ids))
            partes.append(id + '=' + dominios(mudancas.value(id)));
        return registrar("registros:" + partes.join(';'));
    }
    bool adicionar(const IdentidadeDoPreenchimento &) override { return true; }
    bool removerTodas() override { return registrar(QStringLiteral("remover")); }

    [[nodiscard]] QStringList registro() const
    {
        const std::lock_guard guarda(trava_);
        return registro_;
    }

private:
    static QString dominios(const Lista &lista)
    {
        QStringList nomes;
        for (const auto &identidade : lista)
            nomes.append(std::visit([](const auto &i) { return i.dominio; }, identidade));
        return nomes.join(',');
    }
    bool registrar(const QString &nome)
    {
        portao_.passar();
        const std::lock_guard guarda(trava_);
        registro_.append(nome);
        return !falhar;
    }

    Testes::Portao portao_;
    mutable std::mutex trava_;
    QStringList registro_;
};

struct FilaPorRegistro : ::testing::Test {
    std::shared_ptr<RepositorioRegistrado> repositorio = std::make_shared<RepositorioRegistrado>();
    FilaDeIdentidades fila{repositorio};

    void TearDown() override
    {
        repositorio->soltar();
        Testes::executar(fila.ociosa());
    }
};

TEST_F(FilaPorRegistro, MudancasQueEsperamSeJuntamEVemDepoisDaListaInteira)
{
    EXPECT_TRUE(fila.aceitaMudancasPorRegistro());
    repositorio->segurar();
    fila.substituir({em("um.com", "a")});
    repositorio->esperarInicios(1);
    fila.substituir({em("dois.com", "a")});
    fila.substituirDosRegistros({{"a", {em("a1.com", "a")}}, {"b", {em("b.com", "b")}}});
    const quint64 ultima = fila.substituirDosRegistros({{"a", {em("a2.com", "a")}}, {"c", {}}});
    EXPECT_TRUE(fila.emDia(ultima));
    repositorio->soltar();
    Testes::executar(fila.ociosa());

    // The waiting list, then the joined changes, the later one winning for "a", in one trip.
    EXPECT_EQ(repositorio->registro(),
              QStringList({"todas:um.com", "todas:dois.com", "registros:a=a2.com;b=b.com;c="}));
    EXPECT_TRUE(fila.emDia(ultima));
}

TEST_F(FilaPorRegistro, DepoisDeUmaFalhaAsMudancasNaoSaoEscritasAteUmaListaInteira)
{
    fila.substituir({em("um.com", "a")});
    Testes::executar(fila.ociosa());

    repositorio->falhar = true;
    repositorio->segurar();
    const quint64 falha = fila.substituirDosRegistros({{"a", {em("a1.com", "a")}}});
    repositorio->esperarInicios(2);
    // Asked for while the failing one runs: dropped, since the store does not hold its base.
    const quint64 seguinte = fila.substituirDosRegistros({{"b", {em("b.com", "b")}}});
    repositorio->soltar();
    Testes::executar(fila.ociosa());
    EXPECT_FALSE(fila.emDia(falha));
    EXPECT_FALSE(fila.emDia(seguinte));
    repositorio->falhar = false;
    const quint64 sozinha = fila.substituirDosRegistros({{"c", {em("c.com", "c")}}});
    Testes::executar(fila.ociosa());
    EXPECT_FALSE(fila.emDia(sozinha)) << "still no known base";

    const quint64 inteira = fila.substituir({em("um.com", "a"), em("b.com", "b")});
    Testes::executar(fila.ociosa());
    EXPECT_TRUE(fila.emDia(inteira));
    const quint64 depois = fila.substituirDosRegistros({{"b", {}}});
    Testes::executar(fila.ociosa());
    EXPECT_TRUE(fila.emDia(depois));
    EXPECT_EQ(repositorio->registro(), QStringList({"todas:um.com", "registros:a=a1.com", "todas:um.com,b.com",
                                                    "registros:b="}));
}

TEST_F(FilaPorRegistro, RemocaoDescartaAsMudancasQueEsperam)
{
    fila.substituir({em("um.com", "a")});
    Testes::executar(fila.ociosa());
    repositorio->segurar();
    fila.substituirDosRegistros({{"a", {em("a1.com", "a")}}});
    repositorio->esperarInicios(2);
    const quint64 esperando = fila.substituirDosRegistros({{"b", {em("b.com", "b")}}});
    auto remocao = fila.remover();
    EXPECT_FALSE(fila.emDia(esperando));
    repositorio->soltar();
    Testes::executar(std::move(remocao));
    const quint64 depois = fila.substituirDosRegistros({{"c", {em("c.com", "c")}}});
    Testes::executar(fila.ociosa());
    EXPECT_FALSE(fila.emDia(depois)) << "the store was emptied: changes have no base";
    EXPECT_EQ(repositorio->registro(), QStringList({"todas:um.com", "registros:a=a1.com", "remover"}));
}

} // namespace
