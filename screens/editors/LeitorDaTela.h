// Reading QR codes: from one image, an image file, image bytes (a drop or a paste, decoded in
// memory) and every screen. Gives the payloads (the decoded texts, untouched) in the order found,
// without repeats. Decoding runs off the main thread; the capture itself on it.
#pragma once

#include <QByteArray>
#include <QCoro/QCoroTask>
#include <QImage>
#include <QList>
#include <QString>

#include <exception>

class EstadoDoApp;

namespace LeitorDaTelaNoMac {

// The desktop refused to let this program capture the screen.
struct SemPermissao : std::exception {
    [[nodiscard]] const char *what() const noexcept override { return "captura da tela negada"; }
};

// The user cancelled the desktop's question before the capture: nothing to report.
struct Cancelada : std::exception {
    [[nodiscard]] const char *what() const noexcept override { return "captura da tela cancelada"; }
};

// The screen could not be captured for another reason (no portal, a session that cannot be
// grabbed, a failed answer).
struct FalhaNaCaptura : std::exception {
    [[nodiscard]] const char *what() const noexcept override { return "captura da tela falhou"; }
};

// The QR payloads of one image (QR only; other symbologies are never reported). Transparency is
// read as white paper; a light code on a dark ground is found too. Any thread.
[[nodiscard]] QList<QString> lerImagem(const QImage &imagem);
// The same of an image file; a file that is missing or not an image gives an empty list.
[[nodiscard]] QList<QString> lerArquivo(const QString &caminho);
// The same of encoded image bytes (PNG, JPEG, …), never written to disk.
[[nodiscard]] QList<QString> lerBytes(const QByteArray &bytes);

// The three above on a worker thread, awaited.
[[nodiscard]] QCoro::Task<QList<QString>> lerImagemAoFundo(QImage imagem);
[[nodiscard]] QCoro::Task<QList<QString>> lerArquivoAoFundo(QString caminho);
[[nodiscard]] QCoro::Task<QList<QString>> lerBytesAoFundo(QByteArray bytes);
// Every screen, captured once each, with this program's windows kept out of the images; the
// first screen's payloads come first. Throws SemPermissao, Cancelada or FalhaNaCaptura. `estado` (may be
// null) is told that the capture is not the user leaving the program.
[[nodiscard]] QCoro::Task<QList<QString>> lerATela(EstadoDoApp *estado);

// Whether this desktop has a settings page where screen capture is allowed, and opening it.
[[nodiscard]] bool temAjustesDeGravacaoDeTela();
void abrirAjustesDeGravacaoDeTela();

} // namespace LeitorDaTelaNoMac
