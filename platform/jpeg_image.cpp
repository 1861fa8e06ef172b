#include "jpeg_image.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern "C" {
#include <jpeglib.h>
}

namespace {

// libjpeg ends a failed call through error_exit, which must not return: it jumps
// back to the call's start with the library's message kept.
struct TErrorManager {
    jpeg_error_mgr Public;
    std::jmp_buf Back;
    char Message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr Info)
{
    auto* Errors = reinterpret_cast<TErrorManager*>(Info->err);
    (*Info->err->format_message)(Info, Errors->Message);
    std::longjmp(Errors->Back, 1);
}

void OutputNothing(j_common_ptr) {}

} // namespace

TBgraImage DecodeJpeg(const std::string& Bytes, std::int64_t MaxPixels)
{
    if (Bytes.empty())
        throw EInvalidJpeg("JPEG image is empty");
    TBgraImage Image;
    jpeg_decompress_struct Info;
    TErrorManager Errors;
    Info.err = jpeg_std_error(&Errors.Public);
    Errors.Public.error_exit = ErrorExit;
    Errors.Public.output_message = OutputNothing;
    Errors.Message[0] = '\0';
    std::uint8_t* volatile Row = nullptr;
    // Nothing with a destructor is made between here and the last library call.
    if (setjmp(Errors.Back)) {
        jpeg_destroy_decompress(&Info);
        std::free(const_cast<std::uint8_t*>(Row));
        throw EInvalidJpeg(std::string("JPEG image is not valid: ") + Errors.Message);
    }
    jpeg_create_decompress(&Info);
    jpeg_mem_src(&Info, reinterpret_cast<const unsigned char*>(Bytes.data()), static_cast<unsigned long>(Bytes.size()));
    jpeg_read_header(&Info, TRUE);
    Info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&Info);
    const std::int64_t W = Info.output_width, H = Info.output_height;
    if (W <= 0 || H <= 0 || W * H > MaxPixels || Info.output_components != 3) {
        std::snprintf(Errors.Message, sizeof Errors.Message, "unsupported size or colour format");
        std::longjmp(Errors.Back, 1);
    }
    try {
        Image.Pixels.resize(static_cast<std::size_t>(W * H * 4));
    } catch (...) {
        jpeg_destroy_decompress(&Info);
        throw;
    }
    Row = static_cast<std::uint8_t*>(std::malloc(static_cast<std::size_t>(W * 3)));
    if (!Row) {
        std::snprintf(Errors.Message, sizeof Errors.Message, "out of memory");
        std::longjmp(Errors.Back, 1);
    }
    while (Info.output_scanline < Info.output_height) {
        const std::int64_t Y = Info.output_scanline;
        std::uint8_t* In = Row;
        JSAMPROW Rows[1] = {In};
        jpeg_read_scanlines(&Info, Rows, 1);
        std::uint8_t* Out = Image.Pixels.data() + Y * W * 4;
        for (std::int64_t X = 0; X < W; ++X) {
            Out[X * 4 + 0] = In[X * 3 + 2];
            Out[X * 4 + 1] = In[X * 3 + 1];
            Out[X * 4 + 2] = In[X * 3 + 0];
            Out[X * 4 + 3] = 255;
        }
    }
    jpeg_finish_decompress(&Info);
    jpeg_destroy_decompress(&Info);
    std::free(const_cast<std::uint8_t*>(Row));
    Image.Width = static_cast<std::int32_t>(W);
    Image.Height = static_cast<std::int32_t>(H);
    return Image;
}

std::string EncodeJpeg(const TBgraImage& Image, int Quality)
{
    if (Image.Width <= 0 || Image.Height <= 0 ||
        Image.Pixels.size() != static_cast<std::size_t>(Image.Width) * static_cast<std::size_t>(Image.Height) * 4)
        throw EInvalidJpeg("JPEG encoder: the picture's size and pixels disagree");
    jpeg_compress_struct Info;
    TErrorManager Errors;
    Info.err = jpeg_std_error(&Errors.Public);
    Errors.Public.error_exit = ErrorExit;
    Errors.Public.output_message = OutputNothing;
    Errors.Message[0] = '\0';
    unsigned char* Buffer = nullptr;
    unsigned long Size = 0;
    std::uint8_t* Row = static_cast<std::uint8_t*>(std::malloc(static_cast<std::size_t>(Image.Width) * 3));
    if (!Row)
        throw EInvalidJpeg("JPEG encoder: out of memory");
    if (setjmp(Errors.Back)) {
        jpeg_destroy_compress(&Info);
        std::free(Row);
        std::free(Buffer);
        throw EInvalidJpeg(std::string("JPEG encoder failed: ") + Errors.Message);
    }
    jpeg_create_compress(&Info);
    jpeg_mem_dest(&Info, &Buffer, &Size);
    Info.image_width = static_cast<JDIMENSION>(Image.Width);
    Info.image_height = static_cast<JDIMENSION>(Image.Height);
    Info.input_components = 3;
    Info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&Info);
    jpeg_set_quality(&Info, Quality, TRUE);
    jpeg_start_compress(&Info, TRUE);
    while (Info.next_scanline < Info.image_height) {
        const std::uint8_t* In = Image.Pixels.data() + static_cast<std::size_t>(Info.next_scanline) * Image.Width * 4;
        for (std::int32_t X = 0; X < Image.Width; ++X) {
            Row[X * 3 + 0] = In[X * 4 + 2];
            Row[X * 3 + 1] = In[X * 4 + 1];
            Row[X * 3 + 2] = In[X * 4 + 0];
        }
        JSAMPROW Rows[1] = {Row};
        jpeg_write_scanlines(&Info, Rows, 1);
    }
    jpeg_finish_compress(&Info);
    jpeg_destroy_compress(&Info);
    std::free(Row);
    std::string Out(reinterpret_cast<const char*>(Buffer), Size);
    std::free(Buffer);
    return Out;
}
