#pragma once

struct ContenutoV11;
class SuperficieStampa;

// Prints a version 1.1 questionnaire as the viewer holds it: four numbered pages ("Pagina N di 4 pagine") -
// the general data with the five member rows, then the questions from group 0, from group 34 and from
// group 50 - and an unnumbered page with the notes of the groups whose note label is red. A page whose
// section runs past its bottom goes on over a further page under the same label and heading. Reads the
// content only. False when the printer failed and the run stopped there.
bool stampaV11(const ContenutoV11& contenuto, SuperficieStampa& superficie);
