#pragma once

#include <memory>

#include "bytemodel/bytemodel.h"

/// A byte model holding the given bytes, for tests that start from a buffer.
inline std::unique_ptr<ByteModel> modelOf(ByteBuffer bytes)
{
    auto model = std::make_unique<ByteModel>();
    model->assign(std::move(bytes));
    return model;
}
