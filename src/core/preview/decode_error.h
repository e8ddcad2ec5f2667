// The preview decoder's error codes. The numbers are shown to the user in the decode error
// message, so they never change. A plain enum over int: a code converts to the number the
// message prints and compares with a reported int as it is.
#pragma once

namespace velmorin::preview {

enum DecodeError : int {
    kNoError = 0,
    // A zero f_code in the picture coding extension: f_code[s][t] gives 1 + 2s + t.
    kErrorForwardHorizontalFCode = 1,
    kErrorForwardVerticalFCode = 2,
    kErrorBackwardHorizontalFCode = 3,
    kErrorBackwardVerticalFCode = 4,
    // Slice data.
    kErrorMotionCode = 5,
    kErrorAddressIncrement = 6,
    kErrorCodedBlockPattern = 7,
    kErrorCoefficientCode = 10,
    kErrorTooManyCoefficients = 11,
    // Silent stops: pictures the preview does not show, with no message.
    kSmallPicture = 100,     // 240 lines or fewer
    kPictureTooLarge = 101,  // larger than the frame buffers (720 × 576)
};

}  // namespace velmorin::preview
