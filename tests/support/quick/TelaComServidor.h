// What the screen tests over the development server share: temporary folders, an in-memory
// keychain, an AutoFill store, the package pointed at the server, the central state over a test
// environment, and a teardown that puts every process-wide service back. Each suite adds its own
// owner check, screens and helpers.
#pragma once

#include "plataforma/RepositorioDeIdentidades.h"
#include "servidor/ServidorDeDesenvolvimento.h"
#include "state/EstadoDoApp.h"
#include "support/CofreDeSegredosEmMemoria.h"
#include "support/DiretorioTemporario.h"
#include "support/RelogioDeTeste.h"
#include "support/quick/TesteQuick.h"

#include <QVariantMap>

#include <atomic>
#include <functional>
#include <memory>

// The AutoFill store the host reports: keeps nothing, counts removals; its switch (on unless a
// suite says otherwise) is the test's to flip.
class IdentidadesDeTeste final : public RepositorioDeIdentidades {
public:
    bool ligado() override { return ligadoAgora; }
    bool substituirTodas(const QList<IdentidadeDoPreenchimento> &) override { return true; }
    bool adicionar(const IdentidadeDoPreenchimento &) override { return true; }
    bool removerTodas() override
    {
        ++remocoes;
        return true;
    }

    std::atomic<bool> ligadoAgora = true;
    std::atomic<int> remocoes = 0;
};

class TelaComServidor : public TesteQuick {
protected:
    // Installs the keychain, `identidades`, the server as the API and the site, then the QML
    // engine.
    void SetUp() override;
    // Closes the window, lets the suite release its own objects (`soltar`), drops the state,
    // lets AutoFill's queue finish and resets every process-wide service.
    void TearDown() override;

    // The package's keys beyond the server's addresses (a suite's site or version).
    virtual void completarInfo(QVariantMap &info) { static_cast<void>(info); }
    // Releases what the suite made for its screens, once the window is gone and while the state
    // still stands (what it cancels may resume the state's routines).
    virtual void soltar() {}

    // An environment with a fixed uptime, instant waits, this computer's name and the test clock.
    [[nodiscard]] AmbienteDoEstado ambienteDeTeste(const QString &computador = QStringLiteral("estacao-de-teste"));
    // Replaces the state with one over `ambiente` (not started), given to QML as `estadoDeTeste`.
    EstadoDoApp &criarEstado(AmbienteDoEstado ambiente);
    // Runs the event loop until `condicao` holds (network answers, key derivation), at most 30 s.
    static bool esperarAte(const std::function<bool()> &condicao);
    // The toast on show, or empty.
    [[nodiscard]] QString avisoAtual() const;

    DiretorioTemporario pasta;
    std::shared_ptr<CofreDeSegredosEmMemoria> segredos;
    std::shared_ptr<IdentidadesDeTeste> identidades = std::make_shared<IdentidadesDeTeste>();
    Servidor::ServidorDeDesenvolvimento servidor;
    RelogioDeTeste relogio;
    std::unique_ptr<EstadoDoApp> estado;
};
