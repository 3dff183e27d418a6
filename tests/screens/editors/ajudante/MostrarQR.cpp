// Shows an image in a frameless window at a given place, as another application showing a QR
// code would, and says "pronto" on its output once the window is on the screen.
// Usage: corvane-mostrar-qr <image> <x> <y>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRasterWindow>
#include <QTimer>

#include <cstdio>

namespace {

class JanelaDaImagem final : public QRasterWindow {
public:
    explicit JanelaDaImagem(QImage imagem) : imagem_(std::move(imagem))
    {
        setFlags(Qt::FramelessWindowHint | Qt::Window);
        resize(imagem_.size());
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter(this).drawImage(0, 0, imagem_);
        if (!avisou_) {
            avisou_ = true;
            // After this paint reaches the server.
            QTimer::singleShot(200, [] {
                std::puts("pronto");
                std::fflush(stdout);
            });
        }
    }

private:
    QImage imagem_;
    bool avisou_ = false;
};

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 4)
        return 2;
    JanelaDaImagem janela{QImage(QString::fromLocal8Bit(argv[1]))};
    janela.setPosition(QString::fromLatin1(argv[2]).toInt(), QString::fromLatin1(argv[3]).toInt());
    janela.show();
    return app.exec();
}
