// What the wizard's and the lock screen's tests share: a central state over the development
// server, temporary folders, an in-memory keychain, a counting AutoFill store and a fake owner
// check that can hold its prompt open; the state's short waits run on a test clock that the
// fixture steps together with the animations.
#pragma once

#include "Formulario.h"

#include "app/servicos/Seguranca.h"
#include "plataforma/RepositorioDeIdentidades.h"
#include "servidor/ServidorDeDesenvolvimento.h"
#include "state/EstadoDoApp.h"
#include "support/CofreDeSegredosEmMemoria.h"
#include "support/DiretorioTemporario.h"
#include "support/RelogioDeTeste.h"

#include <QFuture>
#include <QJsonObject>
#include <QPromise>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

// Always switched on; counts removals.
class IdentidadesDeTeste final : public RepositorioDeIdentidades {
public:
    bool ligado() override { return true; }
    bool substituirTodas(const QList<IdentidadeDoPreenchimento> &) override { return true; }
    bool adicionar(const IdentidadeDoPreenchimento &) override { return true; }
    bool removerTodas() override
    {
        ++remocoes;
        return true;
    }

    std::atomic<int> remocoes{0};
};

class ContaNaTela : public TesteQuick {
protected:
    void SetUp() override;
    void TearDown() override;

    // A new state over this fixture's server, clock and owner check (replacing any earlier one).
    EstadoDoApp &novoEstado();
    // Steps the animations, the screens' clock and the state's clock together.
    void avancar(int ms);
    // Runs the event loop until `condicao` holds (network answers, key derivation), at most 30 s.
    static bool esperarAte(const std::function<bool()> &condicao);
    // Clicks an item found by objectName.
    void clicar(const QString &nome);
    // Clicks into a form field (a CampoNoMac by objectName) and types `texto` there.
    void preencher(const QString &campo, const QString &texto);
    // The body of the last request to exactly `caminho`.
    [[nodiscard]] QJsonObject corpoDoPedido(const QString &metodo, const QString &caminho) const;
    [[nodiscard]] int quantosPedidos(const QString &metodo, const QString &caminho) const;
    // The toast on show, or empty.
    [[nodiscard]] QString avisoAtual() const;

    // The owner prompt: holds until `liberarDono` when `segurarDono` is set.
    void segurarDono();
    void liberarDono();

    DiretorioTemporario pasta;
    std::shared_ptr<CofreDeSegredosEmMemoria> segredos;
    std::shared_ptr<IdentidadesDeTeste> identidades;
    Servidor::ServidorDeDesenvolvimento servidor;
    RelogioDeTeste relogio;
    std::unique_ptr<EstadoDoApp> estado;

    bool donoConfirma = true;
    QStringList motivos;
    std::optional<QPromise<void>> portaoDoDono;
};
