// The rules of the code grid and its cards: what a card shows at a moment (the code, the next
// one in the last seconds, the ring's share of the period), the adaptive column layout, the
// grid's texts and the one copy sequence of a code.
#pragma once

#include "core/Totp.h"

#include <QDateTime>
#include <QString>

class AreaDeTransferencia;
class CentralDeAvisos;

namespace RegrasDoCodigo {

// Below this many seconds left the next code shows and the ring turns amber.
inline constexpr qint64 ultimosSegundos = 6;

// A card at one moment.
struct Momento {
    QString codigo;  // digits without grouping; empty when it cannot be computed
    QString proximo; // the next period's code in the last seconds, else empty
    qint64 restantes = 1; // 1 to the period
    double fracao = 1;    // restantes / period, in (0, 1]
    bool acabando = false; // restantes below `ultimosSegundos`

    friend bool operator==(const Momento &, const Momento &) = default;
};

// The card at `agora` from its prepared generator (null when the secret does not decode) and
// its period (below 1 counts as 1). A code that cannot be computed is the empty text.
[[nodiscard]] Momento momento(const GeradorDeCodigos *gerador, qint64 periodo, const QDateTime &agora);

// The adaptive grid: as many columns of at least 290 points as fit with 16 between them (at
// least one), each at most 400 wide; the columns are centred in `largura`.
inline constexpr double larguraMinima = 290;
inline constexpr double larguraMaxima = 400;
inline constexpr double espaco = 16;
[[nodiscard]] int colunas(double largura);
[[nodiscard]] double larguraDaColuna(double largura);

// "Nenhum código combina com "<busca>"." with the search exactly as typed.
[[nodiscard]] QString nadaEncontrado(const QString &busca);
// The toast of a click copy: "Código de <título> copiado".
[[nodiscard]] QString avisoDoClique(const QString &titulo);
// The toast of the context menu's copy.
[[nodiscard]] QString avisoDoMenu();

// The copy of a code everywhere: a concealed copy, one more in the copy counter, then the toast
// with `textoDoAviso`. An empty code copies nothing and shows nothing (the clipboard keeps what
// the user had); gives whether it copied.
bool copiar(const QString &codigo, const QString &textoDoAviso, CentralDeAvisos &avisos, AreaDeTransferencia &area);

} // namespace RegrasDoCodigo
