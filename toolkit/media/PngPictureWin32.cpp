// PngPicture through GDI+: the picture is an Image, saved with the BMP encoder.
#include "engine/PngPicture.h"

#include "toolkit/media/Image.h"

struct PngPicture::Decoded {
    Image image;
};

PngPicture::PngPicture() = default;
PngPicture::~PngPicture() = default;

bool PngPicture::Load(Stream& png) {
    decoded_.reset(new Decoded);
    if (decoded_->image.LoadFromStream(&png))
        return true;
    decoded_.reset();
    return false;
}

int PngPicture::Width() const {
    return decoded_ ? decoded_->image.Width() : 0;
}

int PngPicture::Height() const {
    return decoded_ ? decoded_->image.Height() : 0;
}

bool PngPicture::SaveAsBitmap(Stream& bitmap) const {
    return decoded_ && decoded_->image.SaveToStream(&bitmap, Image::kFormatBmp);
}

void PngPicture::Release() {
    decoded_.reset();
}
