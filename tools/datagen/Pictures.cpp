#include "BoardArt.h"
#include "ContactSheet.h"
#include "Creatures.h"
#include "DataTree.h"
#include "Font.h"
#include "Gallery.h"
#include "GameScreen.h"
#include "Generators.h"
#include "ImageFiles.h"
#include "Screens.h"
#include "Texts.h"

void addPictures(DataTree& tree) {
    Gallery gallery(tree);
    BoardArt::addSprites(gallery);
    addFontPicture(gallery);
    addGameScreen(gallery);
    Screens::addScreens(gallery);
    addCreatures(gallery);
    addTexts(gallery);
    tree.addReview("contact-sheet.png", ImageFiles::png(contactSheet(gallery.pictures()), 1));
}
