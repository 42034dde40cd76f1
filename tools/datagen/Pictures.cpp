#include "BoardArt.h"
#include "ContactSheet.h"
#include "DataTree.h"
#include "Font.h"
#include "Gallery.h"
#include "Generators.h"
#include "ImageFiles.h"

void addPictures(DataTree& tree) {
    Gallery gallery(tree);
    BoardArt::addSprites(gallery);
    addFontPicture(gallery);
    tree.addReview("contact-sheet.png", ImageFiles::png(contactSheet(gallery.pictures())));
}
