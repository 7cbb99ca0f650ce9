show
--json
--keys
?u[
