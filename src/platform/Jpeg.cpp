#include "platform/Jpeg.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace Jpeg {

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf escape;
};

// A broken picture ends the decoding, never the program.
[[noreturn]] void escape(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->escape, 1);
}

void quiet(j_common_ptr, int) {}
void quietMessage(j_common_ptr) {}

// Runs `read` on a decompressor set up on the bytes with their header read; false when
// the bytes do not decode. No C++ object with a destructor may live across the jump.
template <typename Read> bool withDecompressor(QByteArrayView data, Read&& read) {
    if (data.isEmpty())
        return false;
    jpeg_decompress_struct info;
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = escape;
    errors.base.emit_message = quiet;
    errors.base.output_message = quietMessage;
    if (setjmp(errors.escape)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.data()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    const bool ok = read(info);
    jpeg_destroy_decompress(&info);
    return ok;
}

} // namespace

QSize Size(QByteArrayView data) {
    QSize size;
    withDecompressor(data, [&](jpeg_decompress_struct& info) {
        size = QSize(int(info.image_width), int(info.image_height));
        return true;
    });
    return size;
}

QImage Decode(QByteArrayView data, int eighths) {
    QImage out;
    QImage* image = &out; // reached through a pointer across the jump
    const bool ok = withDecompressor(data, [image, eighths](jpeg_decompress_struct& info) {
        const bool grey = info.num_components == 1;
        if (!grey && info.num_components != 3)
            return false; // CMYK and others: left to the general reader
        info.out_color_space = grey ? JCS_GRAYSCALE : JCS_EXT_BGRA;
        if (eighths < 8) {
            info.scale_num = unsigned(qMax(1, eighths));
            info.scale_denom = 8;
            info.dct_method = JDCT_IFAST;
            info.do_fancy_upsampling = FALSE;
        }
        jpeg_start_decompress(&info);
        *image = QImage(int(info.output_width), int(info.output_height),
                        grey ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
        if (image->isNull()) {
            jpeg_abort_decompress(&info);
            return false;
        }
        while (info.output_scanline < info.output_height) {
            JSAMPROW row = image->scanLine(int(info.output_scanline));
            jpeg_read_scanlines(&info, &row, 1);
        }
        jpeg_finish_decompress(&info);
        return true;
    });
    return ok ? out : QImage();
}

} // namespace Jpeg
