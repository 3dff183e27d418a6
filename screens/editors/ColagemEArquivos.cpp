// The code editor's other ways to read: the clipboard, a chosen image file and a drop. Images
// are decoded in memory; nothing is copied to disk.
#include "EditorDeCodigo.h"

#include "LeitorDaTela.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

void ModeloDoEditorDeCodigo::colar()
{
    const QMimeData *conteudo = QGuiApplication::clipboard()->mimeData();
    // Text wins over an image when the clipboard holds both.
    if (conteudo && conteudo->hasText() && !conteudo->text().isEmpty()) {
        importarLeituras({conteudo->text()});
        return;
    }
    if (conteudo && conteudo->hasImage()) {
        const QImage imagem = qvariant_cast<QImage>(conteudo->imageData());
        if (!imagem.isNull()) {
            const QList<QString> lidos = LeitorDaTelaNoMac::lerImagem(imagem);
            if (lidos.isEmpty())
                definirErro(QStringLiteral("Não achamos um QR Code na imagem copiada."));
            else
                importarLeituras(lidos);
            return;
        }
    }
    definirErro(QStringLiteral("Copie o link ou a imagem do QR Code e tente de novo."));
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

bool ModeloDoEditorDeCodigo::receberSoltura(const QList<QUrl> &arquivos, const QByteArray &imagem)
{
    if (arquivos.isEmpty() && imagem.isEmpty())
        return false;
    // Only the first item counts; a URL that is not a local file reads as no image.
    QString caminho;
    if (!arquivos.isEmpty())
        caminho = arquivos.first().isLocalFile() ? arquivos.first().toLocalFile() : QString();
    [](QPointer<ModeloDoEditorDeCodigo> editor, QString arquivo, QByteArray bytes) -> QCoro::Task<> {
        if (editor)
            co_await editor->lerSolturaAgora(std::move(arquivo), std::move(bytes));
    }(this, caminho, arquivos.isEmpty() ? imagem : QByteArray());
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
