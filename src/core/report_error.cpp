#include "core/report_error.h"

#include <GL/gl.h>
#include <cstdio>

const char* glErrorMessage(unsigned int code) {
    switch (code) {
    case GL_INVALID_ENUM:
        return "Invalid enumerated argument";
    case GL_INVALID_VALUE:
        return "invalid value";
    case GL_INVALID_OPERATION:
        return "Invalid operation";
    case GL_STACK_OVERFLOW:
        return "GL stack overflow";
    case GL_STACK_UNDERFLOW:
        return "gl stack underflow";
    case GL_OUT_OF_MEMORY:
        return "out of memory";
    default:
        return nullptr;
    }
}

void reportError() {
    if (const char* message = glErrorMessage(glGetError()))
        std::printf("%s\n", message);
}
