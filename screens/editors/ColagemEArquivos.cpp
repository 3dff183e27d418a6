// The code editor's other ways to read: the clipboard, a chosen image file and a drop. Images
// are decoded in memory, off the main thread; nothing is copied to disk.
#include "EditorDeCodigo.h"

#include "CapturaDaTela.h"
#include "LeitorDaTela.h"
#include "PedidoAoPortal.h"
#include "SeletorDeImagem.h"
#include "state/EstadoDoApp.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

void ModeloDoEditorDeCodigo::colar()
{
    [](QPointer<ModeloDoEditorDeCodigo> editor) -> QCoro::Task<> {
        if (editor)
            co_await editor->colarAgora();
    }(this);
}

QCoro::Task<> ModeloDoEditorDeCodigo::colarAgora()
{
    const QMimeData *conteudo = QGuiApplication::clipboard()->mimeData();
    // Text wins over an image when the clipboard holds both.
    if (conteudo && conteudo->hasText() && !conteudo->text().isEmpty()) {
        importarLeituras({conteudo->text()});
        co_return;
    }
    const QImage imagem = conteudo && conteudo->hasImage() ? qvariant_cast<QImage>(conteudo->imageData()) : QImage();
    if (imagem.isNull()) {
        definirErro(QStringLiteral("Copie o link ou a imagem do QR Code e tente de novo."));
        co_return;
    }
    // A pasted screenshot is a large image: decoded off the main thread.
    QPointer<ModeloDoEditorDeCodigo> vivo(this);
    QList<QString> lidos = co_await LeitorDaTelaNoMac::lerImagemAoFundo(imagem);
    if (!vivo)
        co_return;
    if (lidos.isEmpty())
        definirErro(QStringLiteral("Não achamos um QR Code na imagem copiada."));
    else
        importarLeituras(lidos);
}

QUrl ModeloDoEditorDeCodigo::pastaDeImagens()
{
    return QUrl::fromLocalFile(SeletorDeImagem::pastaInicial());
}

QStringList ModeloDoEditorDeCodigo::padroesDeImagem()
{
    return SeletorDeImagem::padroesDeImagem();
}

QString ModeloDoEditorDeCodigo::filtroDeImagens()
{
    return SeletorDeImagem::nomeDoFiltro() + QStringLiteral(" (PNG, JPEG, GIF, BMP, WebP, TIFF)");
}

QUrl ModeloDoEditorDeCodigo::pastaAcima(const QUrl &pasta)
{
    if (!pasta.isLocalFile())
        return {};
    const QString caminho = QDir::cleanPath(pasta.toLocalFile());
    if (caminho.isEmpty() || caminho == QLatin1String("/"))
        return {};
    return QUrl::fromLocalFile(QFileInfo(caminho).path());
}

void ModeloDoEditorDeCodigo::definirEscolhendoImagem(bool valor)
{
    if (escolhendoImagem_ == valor)
        return;
    escolhendoImagem_ = valor;
    emit escolhendoImagemMudou();
}

void ModeloDoEditorDeCodigo::escolherImagem(QWindow *janela)
{
    // The portal knows an X11 parent by its window id; a Wayland one would need an exported
    // handle, and the dialog is then simply not attached to ours.
    QString pai;
    if (janela && QGuiApplication::platformName() == QLatin1String("xcb"))
        pai = QStringLiteral("x11:") + QString::number(janela->winId(), 16);
    [](QPointer<ModeloDoEditorDeCodigo> editor, QString janelaPai) -> QCoro::Task<> {
        if (editor)
            co_await editor->escolherImagemAgora(std::move(janelaPai));
    }(this, pai);
}

QCoro::Task<> ModeloDoEditorDeCodigo::escolherImagemAgora(QString janelaPai)
{
    if (escolhendoImagem_)
        co_return;
    QPointer<ModeloDoEditorDeCodigo> vivo(this);
    definirEscolhendoImagem(true);
    // The desktop's dialog takes the focus away: that is not the user leaving the program.
    focoComOSeletor_ = estado();
    if (focoComOSeletor_)
        focoComOSeletor_->comecarCapturaDaTela();
    const SeletorDeImagem::Escolha escolha =
        co_await SeletorDeImagem::pedirAoPortal(PedidoAoPortal::barramento(), std::move(janelaPai));
    if (vivo && escolha.resultado != SeletorDeImagem::Resultado::indisponivel)
        co_await CapturaDaTela::esperarVoltarAoPrimeiroPlano();
    if (!vivo)
        co_return;
    if (focoComOSeletor_)
        focoComOSeletor_->terminarCapturaDaTela();
    focoComOSeletor_.clear();
    if (escolha.resultado == SeletorDeImagem::Resultado::indisponivel) {
        // Stays "choosing" until our chooser closes.
        emit pedeSeletorProprio();
        co_return;
    }
    definirEscolhendoImagem(false);
    if (escolha.resultado == SeletorDeImagem::Resultado::escolhido)
        lerArquivoEscolhido(escolha.arquivo);
}

void ModeloDoEditorDeCodigo::seletorProprioFechou()
{
    definirEscolhendoImagem(false);
}

void ModeloDoEditorDeCodigo::lerArquivoEscolhido(const QUrl &arquivo)
{
    if (!arquivo.isLocalFile())
        return;
    [](QPointer<ModeloDoEditorDeCodigo> editor, QString caminho) -> QCoro::Task<> {
        if (editor)
            co_await editor->lerArquivoAgora(std::move(caminho));
    }(this, arquivo.toLocalFile());
}

QCoro::Task<> ModeloDoEditorDeCodigo::lerArquivoAgora(QString caminho)
{
    QPointer<ModeloDoEditorDeCodigo> vivo(this);
    QList<QString> lidos = co_await LeitorDaTelaNoMac::lerArquivoAoFundo(std::move(caminho));
    if (!vivo)
        co_return;
    if (lidos.isEmpty())
        definirErro(QStringLiteral("Não encontramos um QR Code nessa imagem."));
    else
        importarLeituras(lidos);
}

std::optional<OrigemDaSoltura> origemDaSoltura(const QList<QUrl> &enderecos, const QByteArray &imagem)
{
    if (enderecos.isEmpty() && imagem.isEmpty())
        return std::nullopt;
    // Only the first item counts. A web page's image comes as its remote address, with its bytes
    // when the browser gives them: those are read, the address is never fetched.
    if (!enderecos.isEmpty() && enderecos.first().isLocalFile())
        return OrigemDaSoltura{enderecos.first().toLocalFile(), {}};
    return OrigemDaSoltura{{}, imagem};
}

bool ModeloDoEditorDeCodigo::receberSoltura(const QList<QUrl> &arquivos, const QByteArray &imagem)
{
    std::optional<OrigemDaSoltura> origem = origemDaSoltura(arquivos, imagem);
    if (!origem)
        return false;
    [](QPointer<ModeloDoEditorDeCodigo> editor, OrigemDaSoltura lida) -> QCoro::Task<> {
        if (editor)
            co_await editor->lerSolturaAgora(std::move(lida.arquivo), std::move(lida.imagem));
    }(this, std::move(*origem));
    return true;
}

QCoro::Task<> ModeloDoEditorDeCodigo::lerSolturaAgora(QString caminho, QByteArray imagem)
{
    const QString semQR = QStringLiteral("Não achamos um QR Code nessa imagem.");
    if (caminho.isEmpty() && imagem.isEmpty()) {
        definirErro(semQR);
        co_return;
    }
    QPointer<ModeloDoEditorDeCodigo> vivo(this);
    QList<QString> lidos;
    if (caminho.isEmpty())
        lidos = co_await LeitorDaTelaNoMac::lerBytesAoFundo(std::move(imagem));
    else
        lidos = co_await LeitorDaTelaNoMac::lerArquivoAoFundo(std::move(caminho));
    if (!vivo)
        co_return;
    if (lidos.isEmpty())
        definirErro(semQR);
    else
        importarLeituras(lidos);
}
