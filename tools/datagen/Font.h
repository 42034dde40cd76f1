#pragma once

class Gallery;

// mui/font.tga: the 94 characters "!" to "~" in bold DejaVu, white with a
// thin dark rim, laid out in bands that each start with a marker run, as the
// game's font loader scans them.
void addFontPicture(Gallery& gallery);
