#include "qvr/errors_container.h"

std::unique_ptr<TErrorsContainer> ErrorsContainer;

void InitErrorsContainer() {
    ErrorsContainer = std::make_unique<TErrorsContainer>();
}

void DoneErrorsContainer() {
    ErrorsContainer.reset();
}
