#include "Art.h"

void MakePlaySet(ImageSet& set)
{
    AddHud(set);
    AddPucks(set);
    AddEggs(set);
    AddAliens(set);
    AddToys(set);
    AddBosses(set);
    AddStemCell(set);
}
