#include "modelli/regolecontrollo.h"

#include <initializer_list>

namespace {

std::bitset<numeroIndici> insieme(std::initializer_list<int> indici, int da = 0, int a = -1)
{
    std::bitset<numeroIndici> bit;
    for (int i : indici)
        bit.set(i);
    for (int i = da; i <= a; ++i)
        bit.set(i);
    return bit;
}

// A field that must not be empty.
CampoRichiesto seVuoto(int campo, const QString& frase, bool esenteConNA = false)
{
    return {campo, frase, -1, QString(), esenteConNA};
}

// The fields every model requires; 62 and 64 name the model's own bodies.
QList<CampoRichiesto> campiRichiesti(const QString& frase62, const QString& frase64)
{
    return {
        seVuoto(0, QStringLiteral(" la denominazione della società ")),
        {1, QStringLiteral(" il codice fiscale della società "), 11,
         QStringLiteral(" che il codice fiscale della società sia di 11 caratteri "), false},
        seVuoto(5, QStringLiteral(" l'indirizzo del referente ")),
        seVuoto(6, QStringLiteral(" il telefono del referente ")),
        seVuoto(33, QStringLiteral(" il numero massimo di incarichi previsti dallo statuto ")),
        seVuoto(62, frase62),
        seVuoto(63, QStringLiteral(" il numero di assemblee ")),
        seVuoto(64, frase64),
    };
}

// Field 65, where the model has an executive committee; its "N/A" box excuses it.
CampoRichiesto campo65()
{
    return seVuoto(65, QStringLiteral(" il numero di riunioni del comitato esecutivo "), true);
}

std::bitset<numeroIndici> sottoIntestazione()
{
    return insieme({0, 1, 2, 4, 5});
}

RegoleControllo tradizionale()
{
    RegoleControllo r;
    r.campiRichiesti =
        campiRichiesti(QStringLiteral(" il numero di riunioni del collegio sindacale "),
                       QStringLiteral(" il numero di riunioni del consiglio d'amministrazione "));
    r.campiRichiesti.append(campo65());
    // The hidden rows keep their note check.
    r.rispostaNonControllata = insieme({75, 76});
    r.domandeSottoIntestazione = sottoIntestazione();
    // 80 has "Si" and "No" here: only its SI needs the note.
    r.notaSuSI = insieme({0, 1, 2, 3, 11, 12, 13, 14, 15, 16, 18, 20, 22, 24, 26, 28, 30, 43, 74, 76, 80});
    r.notaSuNO = insieme({6, 7, 15, 20, 21, 22, 23, 24, 26, 28, 75, 77, 78}, 48, 73);
    r.notaSempre = insieme({79});
    return r;
}

RegoleControllo dualistico()
{
    RegoleControllo r;
    r.campiRichiesti = campiRichiesti(QStringLiteral(" il numero di riunioni del consiglio di sorveglianza "),
                                      QStringLiteral(" il numero di riunioni del consiglio di gestione "));
    r.domandeNonControllate = insieme({69, 71, 75, 76}, 31, 47);
    r.domandeSottoIntestazione = sottoIntestazione();
    r.notaSuSI = insieme({0, 1, 2, 3, 11, 12, 13, 14, 15, 16, 18, 20, 22, 24, 26, 28, 30, 74, 76});
    r.notaSuNO = insieme({6, 7, 15, 16, 20, 21, 22, 23, 24, 26, 28, 77, 78}, 48, 73);
    r.notaSempre = insieme({79, 80});
    return r;
}

RegoleControllo monistico()
{
    RegoleControllo r;
    r.campiRichiesti =
        campiRichiesti(QStringLiteral(" il numero di riunioni del comitato per il controllo sulla gestione "),
                       QStringLiteral(" il numero di riunioni del consiglio d'amministrazione "));
    r.campiRichiesti.append(campo65());
    r.domandeNonControllate = insieme({69, 75, 76}, 32, 47);
    r.domandeSottoIntestazione = sottoIntestazione();
    r.notaSuSI = insieme({0, 1, 2, 3, 11, 12, 13, 14, 15, 16, 18, 20, 22, 24, 26, 28, 30, 31, 43, 74, 76});
    r.notaSuNO = insieme({6, 7, 15, 16, 20, 21, 22, 23, 24, 26, 28, 77, 78}, 48, 73);
    r.notaSempre = insieme({79, 80});
    return r;
}

} // namespace

const RegoleControllo& regoleControllo(Modello modello)
{
    static const RegoleControllo regole[] = {tradizionale(), dualistico(), monistico()};
    return regole[static_cast<int>(modello)];
}
