// The extension program's run: one request line from standard input, one answer line on
// standard output, then exit. Shared by the shipped program and the test build (which registers
// a fake owner check), so both run exactly the same path.
#pragma once

#include "autofill/ContextoDaExtensao.h"
#include "autofill/CredentialProviderViewController.h"

#include <QByteArray>
#include <QObject>
#include <QSocketNotifier>

#include <functional>
#include <memory>
#include <optional>

class QQmlEngine;
class QQuickWindow;

// The extension's exit codes. The host reads the answer, not these; they tell why there is none.
namespace SaidaDaExtensao {
inline constexpr int respondeu = 0;
inline constexpr int pedidoInvalido = 2; // the line did not parse: no answer
inline constexpr int anfitriaoSumiu = 3; // the host closed our input before an answer
} // namespace SaidaDaExtensao

// Writes the first answer as one line on a file descriptor; any later answer is dropped.
class EscritorDoPipe final : public QObject, public ContextoDaExtensao {
    Q_OBJECT

public:
    explicit EscritorDoPipe(int descritor, QObject *pai = nullptr) : QObject(pai), descritor_(descritor) {}

    void completarComSenha(const QString &usuario, const QString &senha) override;
    void completarComCodigo(const QString &codigo) override;
    void cancelar(int codigo) override;
    void concluirConfiguracao() override;

    [[nodiscard]] bool respondeu() const { return respondeu_; }
    // After this nothing more is written (the host has gone).
    void silenciar() { respondeu_ = true; }

signals:
    void respondido();

private:
    void escrever(const QByteArray &linha);

    int descritor_;
    bool respondeu_ = false;
};

// One line read from `descritor` byte by byte (so nothing after it is consumed), newline
// excluded; nothing at end of input before a newline. A line longer than `tamanhoMaximoDaLinha`
// comes back cut one byte past that length, which no request parses.
[[nodiscard]] std::optional<QByteArray> lerLinhaDoDescritor(int descritor);

// One interactive request: the controller, its window, the answer pipe and the watch on the
// host's side of the input. Needs a QApplication. `terminou` comes once, with the exit code, when
// the answer is written or the host has gone.
class SessaoDaExtensao : public QObject {
    Q_OBJECT

public:
    SessaoDaExtensao(int entrada, int saida, QObject *pai = nullptr);
    ~SessaoDaExtensao() override;

    // Delivers the request to the controller and shows the window unless it was answered at
    // once. False when the window could not be built.
    bool iniciar(const PedidoDoAnfitriao &pedido);

    [[nodiscard]] QQuickWindow *janela() const { return janela_; }
    [[nodiscard]] CredentialProviderViewController &controlador() { return *controlador_; }

signals:
    void terminou(int codigo);

private:
    void lerEntrada();

    int entrada_;
    EscritorDoPipe escritor_;
    QSocketNotifier vigia_;
    std::unique_ptr<CredentialProviderViewController> controlador_;
    std::unique_ptr<QQmlEngine> motor_;
    QQuickWindow *janela_ = nullptr;
    bool terminada_ = false;
};

// The whole program. `registrarDono` installs the owner check once the application exists.
int executarExtensao(int argc, char **argv, const std::function<void()> &registrarDono);
