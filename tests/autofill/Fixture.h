// The extension's model over a temporary container, the in-memory secret store, the host's
// identity file in the temporary folder, a test clock and a fake owner check.
#pragma once

#include "CopiaDeTeste.h"
#include "autofill/ModeloDoPreenchimento.h"
#include "plataforma/RepositorioDeIdentidades.h"
#include "support/CofreDeSegredosEmMemoria.h"
#include "support/DiretorioTemporario.h"
#include "support/RelogioDeTeste.h"

#include <gtest/gtest.h>

#include <memory>

class FixtureDoPreenchimento : public ::testing::Test {
protected:
    void SetUp() override
    {
        pasta = std::make_unique<DiretorioTemporario>();
        segredos = CofreDeSegredosEmMemoria::instalar();
        identidades = std::make_shared<RepositorioDeIdentidadesEmArquivo>(pasta->arquivo(QStringLiteral("identidades.json")));
        RepositorioDeIdentidades::usar(identidades);
        // The extension runs because the user switched the provider on.
        ASSERT_TRUE(identidades->definirLigado(true));
        prepararModelo(modelo);
    }

    void TearDown() override
    {
        RepositorioDeIdentidades::usar(nullptr);
        CofreDeSegredos::usar(nullptr);
        pasta.reset();
    }

    // The test clock, the fake owner check and recording callbacks.
    void prepararModelo(ModeloDoPreenchimento &m)
    {
        m.definirRelogio(relogio);
        m.definirVerificacaoDoDono([this](QString motivo) -> QCoro::Task<bool> {
            motivos.append(motivo);
            return respostaDoDono(donoConfirma);
        });
        m.definirAoEscolherSenha([this](const QString &u, const QString &s) { senhas.append({u, s}); });
        m.definirAoEscolherCodigo([this](const QString &c) { codigos.append(c); });
    }

    static QCoro::Task<bool> respostaDoDono(bool confirma) { co_return confirma; }

    [[nodiscard]] QString codigoAgora(const QString &comSegredo = CopiaDeTeste::segredo) const
    {
        return ParametrosTotp{comSegredo, AlgoritmoTotp::sha1, 6, 30}.codigo(relogio.agora());
    }

    static QList<QString> ids(const QList<OpcaoDePreenchimento> &opcoes)
    {
        QList<QString> resultado;
        for (const auto &o : opcoes)
            resultado.append(o.id);
        return resultado;
    }

    [[nodiscard]] const OpcaoDePreenchimento *opcao(const QString &id) const
    {
        for (const auto &o : modelo.opcoes())
            if (o.id == id)
                return &o;
        return nullptr;
    }

    std::unique_ptr<DiretorioTemporario> pasta;
    std::shared_ptr<CofreDeSegredosEmMemoria> segredos;
    std::shared_ptr<RepositorioDeIdentidadesEmArquivo> identidades;
    RelogioDeTeste relogio;
    bool donoConfirma = true;
    QStringList motivos;
    QList<std::pair<QString, QString>> senhas;
    QStringList codigos;
    ModeloDoPreenchimento modelo;
};

inline QList<IdentificadorDeServico> dominios(std::initializer_list<const char *> nomes)
{
    QList<IdentificadorDeServico> lista;
    for (const char *nome : nomes)
        lista.append({QString::fromUtf8(nome), IdentificadorDeServico::Tipo::dominio});
    return lista;
}
