#include "frame/class_descriptors.h"

const char* FixedTextExporter::AuthorName() {
    return "Vantreel tools group";
}

const char* FixedTextExporter::CopyrightMessage() {
    return "Copyright (c) Vantreel. All rights reserved.";
}
