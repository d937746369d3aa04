#include "form/main_form.h"
#include "runtime/web/page_engine.h"

// In a browser: the form runs on the page's own elements, which are there
// before the program (index.html); main() loads it and returns, and the
// page delivers its events from then on.
int main()
{
    runtime::web::start<MainForm>();
}
