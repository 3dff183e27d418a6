// What the wizard's and the lock screen's tests share: a central state over the development
// server, temporary folders, an in-memory keychain, a counting AutoFill store and a fake owner
// check that can hold its prompt open; the state's short waits run on a test clock that the
// fixture steps together with the animations.
#pragma once

#include "Formulario.h"

#include "servicos/Seguranca.h"
#include "support/quick/TelaComServidor.h"

#include <QFuture>
#include <QJsonObject>
#include <QPromise>

#include <optional>

class ContaNaTela : public TelaComServidor {
protected:
    void SetUp() override;
    void TearDown() override;

    // A new state over this fixture's server, clock and owner check (replacing any earlier one).
    EstadoDoApp &novoEstado();
    // Steps the animations, the screens' clock and the state's clock together.
    void avancar(int ms);
    // Clicks an item found by objectName.
    void clicar(const QString &nome);
    // Clicks into a form field (a CampoNoMac by objectName) and types `texto` there.
    void preencher(const QString &campo, const QString &texto);
    // The body of the last request to exactly `caminho`.
    [[nodiscard]] QJsonObject corpoDoPedido(const QString &metodo, const QString &caminho) const;
    [[nodiscard]] int quantosPedidos(const QString &metodo, const QString &caminho) const;

    // The owner prompt: holds until `liberarDono` when `segurarDono` is set.
    void segurarDono();
    void liberarDono();

    bool donoConfirma = true;
    QStringList motivos;
    std::optional<QPromise<void>> portaoDoDono;
};
