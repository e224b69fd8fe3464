#pragma once

class Questionario;
class SuperficieStampa;

// Prints the whole questionnaire as it stands: general data, members, every question with its answer, the
// notes. Reads the questionnaire only. False when the printer failed and the run stopped there.
bool stampaQuestionario(const Questionario& q, SuperficieStampa& superficie);
