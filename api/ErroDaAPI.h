// The one error of every server request: what the server refused, a missing network, an ended
// session or an answer that makes no sense, each with the sentence a screen shows for it.
#pragma once

#include <QByteArray>
#include <QString>

#include <exception>
#include <string>

class ErroDaAPI : public std::exception {
public:
    enum class Caso { servidor, semConexao, sessaoEncerrada, respostaInesperada };

    // The server answered with a status outside 200 to 299.
    [[nodiscard]] static ErroDaAPI servidor(int status, QString codigo, QString mensagem, QByteArray corpo);
    // The network layer could not carry the request out.
    [[nodiscard]] static ErroDaAPI semConexao() { return ErroDaAPI(Caso::semConexao); }
    // No session, renewal refused, or still unauthenticated after one renewal.
    [[nodiscard]] static ErroDaAPI sessaoEncerrada() { return ErroDaAPI(Caso::sessaoEncerrada); }
    // No address could be formed, the answer was not HTTP, or a successful body did not decode.
    [[nodiscard]] static ErroDaAPI respostaInesperada() { return ErroDaAPI(Caso::respostaInesperada); }

    [[nodiscard]] Caso caso() const { return caso_; }
    [[nodiscard]] bool ehServidor() const { return caso_ == Caso::servidor; }

    // The Portuguese sentence for this error; never empty.
    [[nodiscard]] QString errorDescription() const;
    [[nodiscard]] const char *what() const noexcept override { return texto_.c_str(); }

    // A waiting time in words: "1 segundo", "45 segundos", "1 minuto", "2 minutos" (rounded up).
    [[nodiscard]] static QString fraseDeEspera(qint64 segundos);

    friend bool operator==(const ErroDaAPI &a, const ErroDaAPI &b)
    {
        return a.caso_ == b.caso_ && a.status == b.status && a.codigo == b.codigo && a.mensagem == b.mensagem &&
               a.corpo == b.corpo;
    }

    // Only `servidor` carries these; the other cases leave them zero and empty.
    int status = 0;
    QString codigo;   // the body's "erro", else "erro-" and the status
    QString mensagem; // the body's "mensagem", else empty
    QByteArray corpo; // the body exactly as received

private:
    explicit ErroDaAPI(Caso caso);

    Caso caso_;
    std::string texto_;
};

// A request given up because its work was cancelled (the renewal dropped by signing out).
// Distinct from every `ErroDaAPI`: nothing failed, nobody asked for the answer any more.
class ErroDeCancelamento : public std::exception {
public:
    [[nodiscard]] const char *what() const noexcept override { return "pedido cancelado"; }
};
