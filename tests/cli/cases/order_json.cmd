order
--json
R U R' U'
