#include "modelli/regolecontrollo.h"

namespace {

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

InsiemeIndici sottoIntestazione()
{
    return insiemeIndici({0, 1, 2, 4, 5});
}

RegoleControllo tradizionale()
{
    RegoleControllo r;
    r.campiRichiesti =
        campiRichiesti(QStringLiteral(" il numero di riunioni del collegio sindacale "),
                       QStringLiteral(" il numero di riunioni del consiglio d'amministrazione "));
    r.campiRichiesti.append(campo65());
    // The hidden rows keep their note check.
    r.rispostaNonControllata = insiemeIndici({75, 76});
    r.domandeSottoIntestazione = sottoIntestazione();
    r.notaSuNO = insiemeIndici({6, 7, 15, 20, 21, 22, 23, 24, 26, 28, 75, 77, 78}, 48, 73);
    r.notaSempre = insiemeIndici({79});
    return r;
}

RegoleControllo dualistico()
{
    RegoleControllo r;
    r.campiRichiesti = campiRichiesti(QStringLiteral(" il numero di riunioni del consiglio di sorveglianza "),
                                      QStringLiteral(" il numero di riunioni del consiglio di gestione "));
    r.domandeNonControllate = insiemeIndici({69, 71, 75, 76}, 31, 47);
    r.domandeSottoIntestazione = sottoIntestazione();
    r.notaSuNO = insiemeIndici({6, 7, 15, 16, 20, 21, 22, 23, 24, 26, 28, 77, 78}, 48, 73);
    r.notaSempre = insiemeIndici({79, 80});
    return r;
}

RegoleControllo monistico()
{
    RegoleControllo r;
    r.campiRichiesti =
        campiRichiesti(QStringLiteral(" il numero di riunioni del comitato per il controllo sulla gestione "),
                       QStringLiteral(" il numero di riunioni del consiglio d'amministrazione "));
    r.campiRichiesti.append(campo65());
    r.domandeNonControllate = insiemeIndici({69, 75, 76}, 32, 47);
    r.domandeSottoIntestazione = sottoIntestazione();
    r.notaSuNO = insiemeIndici({6, 7, 15, 16, 20, 21, 22, 23, 24, 26, 28, 77, 78}, 48, 73);
    r.notaSempre = insiemeIndici({79, 80});
    return r;
}

} // namespace

const RegoleControllo& regoleControllo(Modello modello)
{
    static const RegoleControllo regole[] = {tradizionale(), dualistico(), monistico()};
    return regole[static_cast<int>(modello)];
}
